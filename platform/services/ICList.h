#pragma once

#include "platform/base/Dictionary.h"
#include "platform/base/Vector.h"
#include "platform/host/Dispatch.h"
#include "platform/services/ICListWidget.h"
#include "platform/services/Session.h"

#include <QPointer>

namespace qor::services {

// QORList.ICList, the list browser control a list window embeds. InitData
// reads the definition of ListID from t_ListDefinition, runs its query
// narrowed by Filter and shows the rows under the definition's captions.
// The window takes the control's widget from Widget and learns of the
// user's choice from the widget's ListEvent signal. Settings the list does
// not use (ROB, TranType, BaseInfo, ...) are kept and read back.
class ICList : public host::Dispatch {
public:
    explicit ICList(SessionPtr session);
    ~ICList() override;

private:
    void Setting(const QString& name, const QVariant& initial);
    QVariant SettingValue(const QString& name) const;
    bool InitData();
    VectorPtr Selected() const;
    VectorPtr ListDefinitions() const;
    VectorPtr FieldDescriptions() const;
    void Release();

    SessionPtr session_;
    QPointer<ICListWidget> widget_;
    QHash<QString, QVariant> settings_;  // lower-cased name -> value
    DictionaryPtr definition_;
    RecordsetPtr rows_;
    std::vector<PickerColumn> columns_;
    bool initOk_ = false;
};

}  // namespace qor::services
