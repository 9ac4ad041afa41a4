#include "services/RegisterHostComponents.h"

#include "host/ComponentFactory.h"
#include "host/ProgIds.h"
#include "services/AppConnection.h"
#include "services/AppPub.h"
#include "services/BaseList.h"
#include "services/ClassInfo.h"
#include "services/FrmResLoader.h"
#include "services/GLData.h"
#include "services/GLView.h"
#include "services/GetBomInfo.h"
#include "services/GetData.h"
#include "services/ICList.h"
#include "services/ItemInfo.h"
#include "services/ListExport.h"
#include "services/MessageDialog.h"
#include "services/SaveData.h"
#include "services/ShareProps.h"
#include "services/SysInfo.h"
#include "services/UserProfile.h"

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
}

}  // namespace qor::services
