#pragma once

// The host components, by ProgID, with the members their callers use.
// Arguments marked "byref" are written back by the component.
namespace qor::host::progid {

// GetAnyRecordset(sql byref) -> Recordset; Execute(sql) -> Recordset;
// ShowHelp(contextId); BeginTrans, CommitTrans, RollbackTrans: one transaction of the session's connection
// around many saves (they nest, as the save component's own do)
inline constexpr const char* kAppConnection = "QORConnection.AppConnection";
// SaveBatchTraceData(props, data Vector byref, message byref) -> 1 on success
inline constexpr const char* kSaveData = "QORBillDataAccess.SaveData";
// GetSysValue(props, category, key) -> text; GetListInfo(props, listId) -> Recordset
inline constexpr const char* kSysInfo = "QORBillDataAccess.SysInfo";
// ExecuteSql(props, sql) -> Recordset; ExecuteBoundSql(props, sql, values Vector) -> Recordset: the ? marks of sql
// take the values in order, bound;
// GetItemDetail(props, useShortNumber byref, text, class, userId, extra) -> Recordset: the records whose code is
// text (bound, never spliced), narrowed by extra, an SQL condition joined with AND. Class 4 items by FShortNumber
// when useShortNumber is on, else by FNumber: FItemID, FName, FNumber, FModel. Class 18 batches of stock or trace
// records: FItemID, FName, FNumber and FBatchNo all = the batch. Class -101 BOMs by number: FItemID = FInterID,
// FName = FNumber = FBomNumber = the BOM number. Other classes throw.
// GetItemDetails(props, useShortNumber, codes Vector, class, userId, extra) -> Recordset: GetItemDetail of classes
// 4 and -101 for up to 1000 codes at once, in one statement, with FOwnerID, the item the record belongs to.
// FindTraces(props, scope, match, text, useShortNumber, before, limit, rightsJoin, rightsCondition) -> Dictionary
// "Rows" (Recordset: FTraceID, FItemID, FItemNumber, FItemName, FModel, FOrderBillNo, FOrderEntryID, FCustName,
// FCustBomNo, FBatchNo, FForbid), "More" (older matches remain), "NextBefore" (before for the next page): the trace
// records, newest first, with keys below before whose code matches text without letter case (text bound, never
// spliced). scope: 1 batch, 2 sales order number, 3 customer BOM number, 4 item code, 5 customer; match: 0 exact,
// 1 prefix, 2 contains; limit 0: every match at once. The rights fragments narrow the rows as in the list.
inline constexpr const char* kGetData = "QORBillDataAccess.GetData";
// GetData(props, sql) -> Recordset
inline constexpr const char* kClassInfo = "QORMClass.ClassInfo";
// GetProperty(processId, key) -> value; SetProperty(processId, key, value)
inline constexpr const char* kShareProps = "QORPropsMgr.ShareProps";
// AccessCheck(module, detail, mask) -> Boolean; WriteLog(code, kind, text byref); WriteLogs(code, kind, texts
// Vector): one entry per text, written together;
// GetItem(class, itemId, nothing, nothing, true) -> an item object (below) or nothing: nothing when the item
// does not exist or the user may not use items of the class, which a t_UserDataRight row of the user with
// FRightKind = -class and FEnabled 1 says. GetItems(class, itemIds Vector) -> Recordset FItemID, FNumber, FName:
// those of up to 1000 items the user may use.
inline constexpr const char* kGLData = "QOREBCGLView.GLData";
// ItemLookup(class, search, filter, parameters Dictionary) -> result object: a modal picker of the items (class 4)
// passing filter, an SQL condition, with the search box seeded from parameters "Search" and numbers short when
// "BeShortNumber" is true. The result object's properties: ReturnOK (Boolean, false when the user left) and
// ReturnObject (the chosen item object, nothing when none). An item object's properties: ID, Number, Name, and
// Properties, a Dictionary with "FItemID", "FNumber", "FName", "FModel".
inline constexpr const char* kGLView = "QOREBCGLView.GLView";
// Filter, KeyWord (properties); Show(userId, 18) -> Recordset of the chosen batch (fields FItemID, FBatchNo,
// FQty) or nothing: a modal picker of the batches passing Filter, an SQL condition on FItemID and FBatchNo, with
// the search box seeded from KeyWord.
inline constexpr const char* kBaseList = "QORBaseList.BaseList";
// GetBomList(parameters Dictionary byref: "ShowMode", "Filter", "Filter1") -> Dictionary "FInterID",
// "FBomNumber", "FItemID": a modal picker of the customer BOMs (alias t1) passing both filters; "FInterID" is 0
// when the user left without a choice.
inline constexpr const char* kGetBomInfo = "Z9BOM.GetBomInfo";
// The list browser control that frmList embeds. Settings (properties, stored and read back): ISShowReport,
// ListShowStatus, DestBillTransType, ListID, TranType, BaseInfo, MultiSelect, CanSelectMultiRow, Filter,
// LocalCnn, SystemName, SelectFlag, ROB, ShowSearch. InitData() -> false when the list has no definition, else
// loads the list's rows for Filter and answers true; InitOK (success flag); ListDefinitions -> Vector of
// Dictionaries of the definition ("FName", ...); RowSelected (whether a row is chosen); Selected -> Vector of
// Dictionaries, one per chosen row, keyed by field name ("FInterID", "FEntryID", ...); GetListRs -> Recordset
// of the rows; GetListFieldsDes -> Vector of Dictionaries "FFieldName", "FCaption"; Release() drops the rows.
// Widget -> the control's QWidget as a QObject* in a QVariant, for the window to embed; the widget reports the
// user's action with its Qt signal ListEvent(QString): "SelectOK" (Enter, double click, 确定) or "Exit"
// (Esc, 退出).
inline constexpr const char* kICList = "QORList.ICList";
// GetDataRight(props, userId, rightKind) -> flag
inline constexpr const char* kItemInfo = "QOREBSGLItem.ItemInfo";
// Load(application, section); Dictionary (property) -> Dictionary; Save(application, section)
inline constexpr const char* kUserProfile = "QOREBCBASE.UserProfile";
// FormatMessage(template, values list) -> text with %1, %2, ... filled
inline constexpr const char* kAppPub = "QOREBCPUB.AppPub";
// GetZ9FontProps(language) -> Dictionary with "Font.Name", "Font.Charset"
inline constexpr const char* kFrmResLoader = "QORFrmRes.FrmResLoader";
// The export component of the library QORExpImp80. Cols, Rows (properties, put before Export);
// SetColCaption(k, caption) and SetColSize(k, size) for column k from 1: cells are cut to size characters;
// EventSink (property): the caller's object answering Export_LoadData(nRow, ColData byref), where ColData is a
// Vector of Cols empty texts the caller fills by column number for export row nRow (from 1); FileName (property,
// optional): the .xlsx or .csv file to write, asked in a save dialog when empty; Raw (property, optional): CSV
// cells as they are, without the apostrophe that keeps a spreadsheet from running text as a formula;
// Export(title) -> 1 written,
// 0 cancelled by the user, -1 failed (the component has told the user why; no file is left).
inline constexpr const char* kListExport = "QORExpImp80.ListExport";
// ReadSheet(fileName, sheetName, maxRows) -> Recordset: the rows of a CSV file (UTF-8, else GB18030; comma or tab)
// or of an .xlsx workbook's sheet (the first when sheetName is empty), blank rows left out: FRow (the row's number
// in the file) and the cells C1, C2, ... as text. Throws HostError with a Chinese description naming the file when
// it cannot be read, is neither CSV nor XLSX, is damaged, lacks the sheet or holds more than maxRows rows.
inline constexpr const char* kListImport = "QORExpImp80.ListImport";
// Title, Text (properties); AddButton(caption); Show(kind, "", true) -> button code
// (kind 0: one acknowledging button; kind 1: 是 gives 1, 否 gives 2);
// MsgBox(text, style, title) -> 1, a plain box whose style carries the icon
inline constexpr const char* kMessageDialog = "QORMsgDlg.MessageDialog";

}  // namespace qor::host::progid
