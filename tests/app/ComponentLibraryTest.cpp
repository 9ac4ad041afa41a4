#include "app/ComponentLibrary.h"
#include "app/ComponentLoader.h"
#include "platform/base/HostError.h"
#include "platform/host/ComponentFactory.h"
#include "platform/host/ComponentRegistry.h"
#include "platform/host/InprocServer.h"
#include "src/host/ProgIds.h"
#include "tests/support/FakeHost.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

// The component library QOROrderBatchTrace as the shell loads it: the real
// library of the build tree, registered in a registry of the test's own.
using namespace qor;
using app::ComponentLibrary;
using app::ComponentLoader;
using host::ComponentRegistry;

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

    // A copy of the library in a folder of its own.
    QString CopyOfLibrary(const QString& folder) {
        QDir().mkpath(dir_.filePath(folder));
        const QString path = dir_.filePath(folder + QStringLiteral("/QOROrderBatchTrace.so"));
        EXPECT_TRUE(QFile::copy(QStringLiteral(QOR_COMPONENT_LIBRARY), path));
        return path;
    }

    static void RegisterBuiltLibrary() {
        ASSERT_EQ(ComponentLibrary(QStringLiteral(QOR_COMPONENT_LIBRARY)).Register(), inproc::kOk);
    }

    QTemporaryDir dir_;
    std::vector<std::pair<const char*, QByteArray>> saved_;
};

TEST_F(ComponentLibraryTest, RegistersBothClassesAndASecondRegistrationReplacesTheFirst) {
    const QString first = CopyOfLibrary("first");
    const QString second = CopyOfLibrary("second");
    ASSERT_EQ(ComponentLibrary(first).Register(), inproc::kOk);

    auto trace = ComponentRegistry::Find(kTraceProgId);
    ASSERT_TRUE(trace);
    EXPECT_EQ(trace->library, first);
    EXPECT_EQ(trace->clsid, inproc::kClsidOrderBatchTrace);
    auto output = ComponentRegistry::Find(kOutputProgId.toUpper());  // ProgIDs are matched without case
    ASSERT_TRUE(output);
    EXPECT_EQ(output->clsid, inproc::kClsidBatchTraceOutput);

    ASSERT_EQ(ComponentLibrary(second).Register(), inproc::kOk);
    EXPECT_EQ(ComponentRegistry::Find(kTraceProgId)->library, second);
    const QString file = ComponentRegistry::File(ComponentRegistry::WritableScope());
    EXPECT_EQ(QSettings(file, QSettings::IniFormat).childGroups(), QStringList({kOutputProgId, kTraceProgId}));

    EXPECT_EQ(ComponentLibrary(first).Unregister(), inproc::kOk);
    EXPECT_FALSE(ComponentRegistry::Find(kTraceProgId));
    EXPECT_FALSE(ComponentRegistry::Find(kOutputProgId));
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(ComponentLibrary(first).Unregister(), inproc::kFalse);
}

TEST_F(ComponentLibraryTest, TheUsersEntryOverridesTheSystems) {
    ComponentRegistry::Add(ComponentRegistry::Scope::System,
                           {kTraceProgId, inproc::kClsidOrderBatchTrace, "/opt/system.so"});
    EXPECT_EQ(ComponentRegistry::Find(kTraceProgId)->library, "/opt/system.so");
    ComponentRegistry::Add(ComponentRegistry::Scope::User,
                           {kTraceProgId, inproc::kClsidOrderBatchTrace, "/home/u/user.so"});
    EXPECT_EQ(ComponentRegistry::Find(kTraceProgId)->library, "/home/u/user.so");
    EXPECT_EQ(ComponentRegistry::Remove(ComponentRegistry::Scope::User, inproc::kClsidOrderBatchTrace), 1);
    EXPECT_EQ(ComponentRegistry::Find(kTraceProgId)->library, "/opt/system.so");
}

TEST_F(ComponentLibraryTest, CreatesTheClassByProgIdAndItReachesTheHostsComponents) {
    RegisterBuiltLibrary();
    test::FakeHost host;
    host.SetSysValue("IC", "UseShortNumber", "0");
    host.SetSysValue("IC", "UseOrderBatchTrace", "0");
    ComponentLoader loader{QString()};
    const host::ObjectPtr trace = loader.Create(kTraceProgId);
    EXPECT_EQ(trace->ProgID(), kTraceProgId);
    // The library asked the fakes this test registered: one component registry.
    EXPECT_EQ(trace->Call("IsUseOrderBatchTrace"), QVariant(false));
    host.SetSysValue("IC", "UseOrderBatchTrace", "1");
    EXPECT_EQ(trace->Call("IsUseOrderBatchTrace"), QVariant(true));
    EXPECT_THROW(trace->Call("NoSuchMember"), HostError);
}

TEST_F(ComponentLibraryTest, ShowsTheWindowAndIsUnloadedAndLoadedAgainAfterwards) {
    RegisterBuiltLibrary();
    test::FakeHost host;
    ComponentLoader loader{QString()};
    for (int visit = 0; visit < 2; ++visit) {
        {
            const host::ObjectPtr trace = loader.Create(kTraceProgId);
            QTimer::singleShot(0, [] {
                if (auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget())) window->reject();
            });
            EXPECT_EQ(trace->Call("Show"), QVariant(0));
            EXPECT_EQ(loader.FreeUnusedLibraries(), 1);  // the object still holds it
        }
        EXPECT_EQ(loader.FreeUnusedLibraries(), 0);
        EXPECT_EQ(dlopen(QOR_COMPONENT_LIBRARY, RTLD_NOW | RTLD_NOLOAD), nullptr);  // gone from the process
    }
}

TEST_F(ComponentLibraryTest, CanUnloadOnlyWhenNoObjectAndNoLockIsAlive) {
    void* handle = dlopen(QOR_COMPONENT_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr);
    const auto getClassObject =
        reinterpret_cast<inproc::DllGetClassObjectFunction>(dlsym(handle, inproc::kDllGetClassObject));
    const auto canUnloadNow =
        reinterpret_cast<inproc::DllCanUnloadNowFunction>(dlsym(handle, inproc::kDllCanUnloadNow));
    ASSERT_TRUE(getClassObject && canUnloadNow);
    EXPECT_EQ(canUnloadNow(), inproc::kOk);

    void* unknownClass = nullptr;
    EXPECT_EQ(getClassObject(&inproc::kIidObject, &inproc::kIidClassFactory, &unknownClass),
              inproc::kClassNotAvailable);
    void* factoryInterface = nullptr;
    ASSERT_EQ(getClassObject(&inproc::kClsidOrderBatchTrace, &inproc::kIidClassFactory, &factoryInterface),
              inproc::kOk);
    auto* factory = static_cast<inproc::IClassFactory*>(factoryInterface);
    EXPECT_EQ(canUnloadNow(), inproc::kFalse);  // a factory is an object too
    EXPECT_EQ(factory->LockServer(true), inproc::kOk);

    void* objectInterface = nullptr;
    EXPECT_EQ(factory->CreateInstance(factory, inproc::kIidObject, &objectInterface), inproc::kNoAggregation);
    ASSERT_EQ(factory->CreateInstance(nullptr, inproc::kIidObject, &objectInterface), inproc::kOk);
    factory->Release();
    auto* server = static_cast<inproc::IObject*>(objectInterface);
    void* other = nullptr;
    EXPECT_EQ(server->QueryInterface(inproc::kIidClassFactory, &other), inproc::kNoInterface);
    EXPECT_EQ(other, nullptr);

    host::ObjectPtr object;
    ASSERT_EQ(server->GetObject(&object), inproc::kOk);
    server->Release();
    EXPECT_EQ(canUnloadNow(), inproc::kFalse);  // the handed-out object holds the library
    object.reset();
    EXPECT_EQ(canUnloadNow(), inproc::kFalse);  // the lock still does

    void* lockedFactory = nullptr;
    ASSERT_EQ(getClassObject(&inproc::kClsidOrderBatchTrace, &inproc::kIidUnknown, &lockedFactory), inproc::kOk);
    auto* unknown = static_cast<inproc::IUnknown*>(lockedFactory);
    void* asFactory = nullptr;
    ASSERT_EQ(unknown->QueryInterface(inproc::kIidClassFactory, &asFactory), inproc::kOk);
    unknown->Release();
    static_cast<inproc::IClassFactory*>(asFactory)->LockServer(false);
    static_cast<inproc::IClassFactory*>(asFactory)->Release();
    EXPECT_EQ(canUnloadNow(), inproc::kOk);
    EXPECT_EQ(dlclose(handle), 0);
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
        ComponentRegistry::Add(ComponentRegistry::Scope::User, {kTraceProgId, clsid, library});
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

    QSettings ini(ComponentRegistry::File(ComponentRegistry::Scope::User), QSettings::IniFormat);
    ini.remove(kTraceProgId + "/CLSID");
    ini.sync();
    EXPECT_TRUE(failure().contains("登记不完整"));
}

}  // namespace
