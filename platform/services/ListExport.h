#pragma once

#include "platform/host/Dispatch.h"
#include "platform/host/RowSource.h"
#include "platform/services/MessageDialog.h"

#include <QStringList>
#include <vector>

namespace qor::services {

// QORExpImp80.ListExport, the export component: the caller describes the
// columns and the row count, hands over the object that answers for the
// rows, and runs Export(title). The component asks where to save (an Excel
// workbook or CSV) unless FileName names the file, then asks for each row
// through the sink's Export_LoadData(row, cells Vector byref) and writes the
// file. Long lists show a progress window whose cancel leaves no file. A
// failure is told through the host message dialog and leaves no file either.
// Members: Cols, Rows, FileName, EventSink (properties); SetColCaption(k,
// text); SetColSize(k, size): cells of column k are cut to size characters,
// 0 leaves them whole; Export(title) -> 1 written, 0 cancelled, -1 failed.
class ListExport : public host::Dispatch {
public:
    static constexpr int kWritten = 1;
    static constexpr int kCancelled = 0;
    static constexpr int kFailed = -1;
    // Lists longer than this show their progress.
    static constexpr int kProgressFrom = 1000;

    explicit ListExport(MessageDialog::Presentation presentation = MessageDialog::DefaultPresentation());

private:
    struct Column {
        QString caption;
        int size = 0;
    };

    void SetCols(int count);
    Column& ColumnAt(int k);
    int Export(const QString& title);
    int Write(const QString& path, const QString& title);
    // The row's texts: from the sink's RowTexts when it is a row source,
    // else through its Export_LoadData event.
    QStringList LoadRow(int row, const host::RowSource* source);
    void Tell(const QString& text) const;
    // Where the written file is, with a button that opens its folder.
    void ShowWhereItWent(const QString& path) const;

    MessageDialog::Presentation presentation_;
    std::vector<Column> columns_;
    int rows_ = 0;
    QString fileName_;
    bool raw_ = false;  // CSV cells as they are, formulas not neutralised
    host::ObjectPtr sink_;
    VectorPtr cells_;  // the row the sink fills, kept from row to row
};

}  // namespace qor::services
