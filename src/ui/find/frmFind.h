#pragma once

#include "src/ui/find/SearchFields.h"

#include <QDialog>
#include <vector>

class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableWidget;
class QGroupBox;

namespace qor {

// The filter and sort dialog: one grid row per searchable field. On OK it
// raises FilterNow with a WHERE fragment (filter mode) or SortNow with an
// ORDER BY list (sort mode) and closes.
class frmFind : public QDialog {
    Q_OBJECT
public:
    static constexpr int32_t kSortMode = 1;
    static constexpr int32_t kFilterMode = 2;

    explicit frmFind(QWidget* parent = nullptr);

    void SetActionMode(int32_t mode) { actionMode_ = mode; }
    // Fills the field table, lays the grid out for the mode and takes the
    // user's report font size. Run once before the dialog is shown.
    void Load();
    // Where the window remembers its place for the user; none when empty.
    void SetSettingsPath(const QString& path) { settingsPath_ = path; }
    void InitialType();
    void SetGrid();

    QTableWidget* Grid() const { return vaSpread_; }
    const std::vector<SearchField>& Fields() const { return fields_; }
    // Chooses an item of the drop-down list in column 2 of a row (1-based).
    void SetListChoice(int row, const QString& item);
    // The F7 look-up of the value cell of a row (1-based), as the key does.
    void LookupValue(int row);
    void Ok();

Q_SIGNALS:
    void FilterNow(const QString& strFilter);
    void SortNow(const QString& strSort);

protected:
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString settingsPath_;
    void BuildWidgets();
    QString ListChoice(int row) const;
    QString CellText(int row, int column) const;
    void SetCellText(int row, int column, const QString& text);
    void CommitOpenEditor();

    int32_t actionMode_ = 0;
    std::vector<SearchField> fields_;
    QTabWidget* sstFind_ = nullptr;
    QTableWidget* vaSpread_ = nullptr;
    QGroupBox* fraMatch_ = nullptr;
    QRadioButton* optMatch_ = nullptr;
    QRadioButton* optBlur_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
};

}  // namespace qor
