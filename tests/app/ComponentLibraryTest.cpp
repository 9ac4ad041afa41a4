#include "app/ComponentLibrary.h"
#include "app/ComponentLoader.h"
#include "platform/base/HostError.h"
#include "platform/host/ComponentRegistry.h"
#include "platform/host/InprocServer.h"
#include "src/host/ProgIds.h"
#include "tests/support/FakeHost.h"
#include "tests/support/ModalDriver.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <QDialog>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

// The component library QOROrderBatchTrace as the shell loads it: the real
// library of the build tree, registered in a registry of the test's own.
using namespace qor;
using app::ComponentLibrary;
using app::ComponentLoader;
using host::ComponentRegistry;
using Scope = ComponentRegistry::Scope;

namespace {

const QString kTraceProgId = QString::fromLatin1(host::progid::kOrderBatchTrace);
const QString kOutputProgId = QString::fromLatin1(host::progid::kBatchTraceOutput);

// Each test gets empty user and system registries in a folder of its own.
class ComponentLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"}) saved_.emplace_back(name, qgetenv(name));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir_.filePath("user")));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(dir_.filePath("system")));
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }

    QString CopyOfLibrary(const QString& folder) {
        QDir().mkpath(dir_.filePath(folder));
        const QString path = dir_.filePath(folder + QStringLiteral("/QOROrderBatchTrace.so"));
        EXPECT_TRUE(QFile::copy(QStringLiteral(QOR_COMPONENT_LIBRARY), path));
        return path;
    }

    QTemporaryDir dir_;
    std::vector<std::pair<const char*, QByteArray>> saved_;
};

TEST_F(ComponentLibraryTest, RegistersBothClassesAndASecondRegistrationReplacesTheFirst) {
    const QString first = CopyOfLibrary("first"), second = CopyOfLibrary("second");
    ASSERT_EQ(ComponentLibrary(first).Register(), inproc::kOk);

    auto trace = ComponentRegistry::Find(kTraceProgId);
    ASSERT_TRUE(trace);
    EXPECT_EQ(trace->library, first);
    EXPECT_TRUE(ComponentRegistry::Find(kOutputProgId.toUpper())) << "ProgIDs are matched without case";

    ASSERT_EQ(ComponentLibrary(second).Register(), inproc::kOk);
    EXPECT_EQ(ComponentRegistry::Find(kTraceProgId)->library, second);

    EXPECT_EQ(ComponentLibrary(first).Unregister(), inproc::kOk);
    EXPECT_FALSE(ComponentRegistry::Find(kTraceProgId));
    EXPECT_FALSE(ComponentRegistry::Find(kOutputProgId));
    EXPECT_EQ(ComponentLibrary(first).Unregister(), inproc::kFalse);

    // A library deleted while registered is unregistered by its path.
    ASSERT_EQ(ComponentLibrary(second).Register(), inproc::kOk);
    ASSERT_TRUE(QFile::remove(second));
    EXPECT_EQ(ComponentRegistry::RemoveLibrary(ComponentRegistry::WritableScope(), second), 2);
    EXPECT_FALSE(ComponentRegistry::Find(kTraceProgId));
}

TEST_F(ComponentLibraryTest, TheUsersEntryOverridesTheSystems) {
    ComponentRegistry::Add(Scope::System, {kTraceProgId, inproc::kClsidOrderBatchTrace, "/opt/system.so"});
    EXPECT_EQ(ComponentRegistry::Find(kTraceProgId)->library, "/opt/system.so");
    ComponentRegistry::Add(Scope::User, {kTraceProgId, inproc::kClsidOrderBatchTrace, "/home/u/user.so"});
    EXPECT_EQ(ComponentRegistry::Find(kTraceProgId)->library, "/home/u/user.so");
    EXPECT_EQ(ComponentRegistry::Remove(Scope::User, inproc::kClsidOrderBatchTrace), 1);
    EXPECT_EQ(ComponentRegistry::Find(kTraceProgId)->library, "/opt/system.so");
}

TEST_F(ComponentLibraryTest, ShowsTheWindowAndIsUnloadedAndLoadedAgainAfterwards) {
    ASSERT_EQ(ComponentLibrary(QStringLiteral(QOR_COMPONENT_LIBRARY)).Register(), inproc::kOk);
    test::FakeHost host;
    ComponentLoader loader{QString()};
    for (int visit = 0; visit < 2; ++visit) {
        {
            const host::ObjectPtr trace = loader.Create(kTraceProgId);
            test::WhenModalShown([](QWidget* window) { qobject_cast<QDialog*>(window)->reject(); });
            EXPECT_EQ(trace->Call("Show"), QVariant(0));
            EXPECT_EQ(loader.FreeUnusedLibraries(), 1);  // the object still holds it
        }
        EXPECT_EQ(loader.FreeUnusedLibraries(), 0);
        EXPECT_EQ(dlopen(QOR_COMPONENT_LIBRARY, RTLD_NOW | RTLD_NOLOAD), nullptr);  // gone from the process
    }
}

TEST_F(ComponentLibraryTest, SaysWhatIsWrongWithAMissingUnregisteredOrBrokenLibrary) {
    ComponentLoader loader{QString()};
    const auto failure = [&loader] {
        try {
            loader.Create(kTraceProgId);
        } catch (const HostError& e) {
            return e.Description();
        }
        return QString();
    };
    const auto registerAt = [](const QString& library, const inproc::Guid& clsid = inproc::kClsidOrderBatchTrace) {
        ComponentRegistry::Add(Scope::User, {kTraceProgId, clsid, library});
    };
    EXPECT_TRUE(failure().contains("部件 QOROrderBatchTrace.COrderBatchTrace 未注册"));

    const QString missing = dir_.filePath("gone/QOROrderBatchTrace.so");
    registerAt(missing);
    EXPECT_EQ(failure(), QStringLiteral("部件 QOROrderBatchTrace.COrderBatchTrace 的部件库 %1 不存在。请重新安装，或用 "
                                        "qor-erp --register 登记部件库的新位置。")
                             .arg(missing));

    const QString text = dir_.filePath("text.so");
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a library");
    file.close();
    registerAt(text);
    EXPECT_TRUE(failure().startsWith(QStringLiteral("无法加载部件库 %1: ").arg(text)));

    registerAt(QOR_BASE_LIBRARY);
    EXPECT_EQ(failure(), QStringLiteral("%1 不是部件库: 它没有入口 DllGetClassObject。").arg(QOR_BASE_LIBRARY));

    registerAt(QOR_COMPONENT_LIBRARY, inproc::kIidObject);
    EXPECT_TRUE(failure().contains("错误 0x80040111"));

    QSettings ini(ComponentRegistry::File(Scope::User), QSettings::IniFormat);
    ini.remove(kTraceProgId + "/CLSID");
    ini.sync();
    EXPECT_TRUE(failure().contains("登记不完整"));
}

}  // namespace
