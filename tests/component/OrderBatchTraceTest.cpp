#include "base/HostError.h"
#include "base/Variant.h"
#include "common/ShortNumberSwitch.h"
#include "component/COrderBatchTrace.h"
#include "component/ColumnSchema.h"
#include "controls/LedgerGrid.h"
#include "host/ProgIds.h"
#include "support/FakeHost.h"
#include "ui/list/frmBatchTrace.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QTimer>

using namespace qor;
using qor::test::RegisterFake;

namespace {

// The system profile as the host publishes it under "IC"; a key not in
// values cannot be read.
void SystemProfile(const QHash<QString, QVariant>& values) {
    RegisterFake(QString::fromLatin1(host::progid::kShareProps))->Returns("GetProperty", "UserID=16;");
    RegisterFake(QString::fromLatin1(host::progid::kSysInfo))->On("GetSysValue", [values](QVariantList& args) {
        if (args.value(1) != "IC" || !values.contains(args.value(2).toString())) throw HostError("没有该系统参数");
        return values.value(args.value(2).toString());
    });
}

}  // namespace

TEST(COrderBatchTrace, TheFeatureIsOnExactlyForOneWithBlanksAroundOrWhenUnreadable) {
    const std::pair<QVariant, bool> cases[] = {{" 1 ", true}, {1, true},      {"0", false}, {"2", false},
                                               {"", false},   {"yes", false}, {"01", false}};
    for (const auto& [value, on] : cases) {
        SystemProfile({{"UseOrderBatchTrace", value}});
        EXPECT_EQ(COrderBatchTrace().IsUseOrderBatchTrace(), on) << value.toString().toStdString();
    }
    SystemProfile({});
    EXPECT_TRUE(COrderBatchTrace().IsUseOrderBatchTrace());
}

TEST(COrderBatchTrace, CreationSetsTheShortNumberSwitchFromTheProfile) {
    const std::pair<QVariant, bool> cases[] = {{"1", true},  {" 1 ", true}, {"0", false},
                                               {"2", false}, {"", false},   {"abc", false}};
    for (const auto& [value, on] : cases) {
        SetUseShortNumber(!on);
        SystemProfile({{"UseShortNumber", value}});
        COrderBatchTrace trace;
        EXPECT_EQ(UseShortNumber(), on) << value.toString().toStdString();
    }
    host::ComponentFactory::Clear();
    SetUseShortNumber(true);
    COrderBatchTrace withoutProfile;
    EXPECT_FALSE(UseShortNumber());
}

TEST(COrderBatchTrace, ShowOpensAFreshModalListWindowFromTheCurrentSchemaEachTime) {
    test::FakeHost host;
    COrderBatchTrace trace;
    VectorPtr replacement;
    BuildColumnSchema(replacement);
    replacement->Item(1).value<DictionaryPtr>()->Set("FCaption", "代码");
    trace.SetVectCol(replacement);

    QList<frmBatchTrace*> seen;
    for (int visit = 0; visit < 2; ++visit) {
        QTimer::singleShot(0, [&seen] {
            auto* window = qobject_cast<frmBatchTrace*>(QApplication::activeModalWidget());
            ASSERT_NE(window, nullptr);
            seen.append(window);
            EXPECT_EQ(window->windowTitle(), "客户BOM批次对应表");
            EXPECT_EQ(window->Ldg()->CellText(1, 1), "代码");
            EXPECT_EQ(window->Ldg()->Rows(), 1);
            window->reject();
        });
        EXPECT_EQ(trace.Show(), 0);
    }
    ASSERT_EQ(seen.size(), 2);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
