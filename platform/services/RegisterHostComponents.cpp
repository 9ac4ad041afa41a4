#include "platform/services/RegisterHostComponents.h"

#include "platform/host/ComponentFactory.h"
#include "platform/host/HostProgIds.h"
#include "platform/services/AppConnection.h"
#include "platform/services/AppPub.h"
#include "platform/services/BaseList.h"
#include "platform/services/ClassInfo.h"
#include "platform/services/FrmResLoader.h"
#include "platform/services/GLData.h"
#include "platform/services/GLView.h"
#include "platform/services/GetBomInfo.h"
#include "platform/services/GetData.h"
#include "platform/services/ICList.h"
#include "platform/services/ItemInfo.h"
#include "platform/services/ListExport.h"
#include "platform/services/ListImport.h"
#include "platform/services/MessageDialog.h"
#include "platform/services/SaveData.h"
#include "platform/services/ShareProps.h"
#include "platform/services/SysInfo.h"
#include "platform/services/UserProfile.h"

namespace qor::services {

namespace {

template <typename Component>
void RegisterForSession(const char* progId, const SessionPtr& session) {
    host::ComponentFactory::Register(QString::fromLatin1(progId),
                                     [session] { return std::make_shared<Component>(session); });
}

template <typename Component>
void RegisterStandalone(const char* progId) {
    host::ComponentFactory::Register(QString::fromLatin1(progId), [] { return std::make_shared<Component>(); });
}

}  // namespace

void RegisterHostComponents(SessionPtr session) {
    namespace progid = host::progid;
    RegisterForSession<AppConnection>(progid::kAppConnection, session);
    RegisterForSession<SaveData>(progid::kSaveData, session);
    RegisterForSession<SysInfo>(progid::kSysInfo, session);
    RegisterForSession<GetData>(progid::kGetData, session);
    RegisterForSession<ClassInfo>(progid::kClassInfo, session);
    RegisterForSession<GLData>(progid::kGLData, session);
    RegisterForSession<ItemInfo>(progid::kItemInfo, session);
    RegisterForSession<UserProfile>(progid::kUserProfile, session);
    RegisterForSession<GLView>(progid::kGLView, session);
    RegisterForSession<BaseList>(progid::kBaseList, session);
    RegisterForSession<GetBomInfo>(progid::kGetBomInfo, session);
    RegisterForSession<ICList>(progid::kICList, session);
    RegisterStandalone<ShareProps>(progid::kShareProps);
    RegisterStandalone<AppPub>(progid::kAppPub);
    RegisterStandalone<FrmResLoader>(progid::kFrmResLoader);
    RegisterStandalone<MessageDialog>(progid::kMessageDialog);
    RegisterStandalone<ListExport>(progid::kListExport);
    RegisterStandalone<ListImport>(progid::kListImport);
}

}  // namespace qor::services
