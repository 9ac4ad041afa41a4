#pragma once

#include "platform/base/Recordset.h"
#include "platform/base/Vector.h"
#include "platform/host/Object.h"

#include <QDialog>

class QLabel;
class QStatusBar;

namespace qor {

// A modal window around the host's list browser control (QORList.ICList,
// embedded as ICListSel) with the status bar SBar below it. The properties
// go straight to the control. After InitData and a modal display, OK tells
// whether the user confirmed a choice and Selected holds the chosen rows.
class frmList : public QDialog {
    Q_OBJECT

public:
    // Creates the list control; throws HostError when it cannot be created.
    explicit frmList(QWidget* parent = nullptr);
    ~frmList() override;

    // Pass-through properties: each goes straight to the list control.
    void SetISShowReport(bool value);
    void SetListShowStatus(int32_t value);
    void SetDestBillTransType(const QString& value);
    void SetListID(int32_t value);
    void SetTranType(int32_t value);
    void SetBaseInfo(const QString& value);
    void SetMultiSelect(bool value);
    void SetCanSelectMultiRow(bool value);
    void SetFilter(const QString& value);
    void SetLocalCnn(const QString& value);
    void SetSystemName(const QString& value);
    void SetSelectFlag(int32_t value);
    // Accepted for callers that set it; the window has no bar to paint.
    void SetPaintBar(bool value);
    void SetROB(int32_t value) { rob_ = value; }
    int32_t ROB() const { return rob_; }

    VectorPtr Selected() const;
    RecordsetPtr GetListRs() const;
    VectorPtr GetListFieldsDes() const;

    // Hands ROB to the control and lets it load the list; on success OK
    // becomes the control's success flag and the caption names the list.
    void InitData();
    bool OK() const { return ok_; }

    QWidget* ICListSel() const { return listWidget_; }
    QStatusBar* SBar() const { return sbar_; }

    void reject() override;

protected:
    bool event(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private Q_SLOTS:
    void OnListEvent(const QString& text);

private:
    void PutSetting(const QString& name, const QVariant& value);
    void CloseIfNotReady();
    void Unload();

    host::ObjectPtr control_;
    QWidget* listWidget_ = nullptr;
    QStatusBar* sbar_ = nullptr;
    QLabel* firstPanel_ = nullptr;
    bool ok_ = false;
    int32_t rob_ = 0;
};

}  // namespace qor
