#pragma once

// The host components the module calls, by ProgID, with the members it uses.
// Arguments marked "byref" are written back by the component.
namespace qor::host::progid {

// GetAnyRecordset(sql byref) -> Recordset; Execute(sql) -> Recordset;
// ShowHelp(contextId)
inline constexpr const char* kAppConnection = "QORConnection.AppConnection";
// SaveBatchTraceData(props, data Vector byref, message byref) -> 1 on success
inline constexpr const char* kSaveData = "QORBillDataAccess.SaveData";
// GetSysValue(props, category, key) -> text; GetListInfo(props, listId) -> Recordset
inline constexpr const char* kSysInfo = "QORBillDataAccess.SysInfo";
// ExecuteSql(props, sql) -> Recordset;
// GetItemDetail(props, useShortNumber byref, text, class, userId, extra) -> Recordset
inline constexpr const char* kGetData = "QORBillDataAccess.GetData";
// GetData(props, sql) -> Recordset
inline constexpr const char* kClassInfo = "QORMClass.ClassInfo";
// GetProperty(processId, key) -> value; SetProperty(processId, key, value)
inline constexpr const char* kShareProps = "QORPropsMgr.ShareProps";
// AccessCheck(module, detail, mask) -> Boolean; WriteLog(code, kind, text byref);
// GetItem(class, itemId, nothing, nothing, true) -> object or nothing
inline constexpr const char* kGLData = "QOREBCGLView.GLData";
// ItemLookup(class, search, filter, parameters Dictionary) -> result object
inline constexpr const char* kGLView = "QOREBCGLView.GLView";
// GetDataRight(props, userId, rightKind) -> flag
inline constexpr const char* kItemInfo = "QOREBSGLItem.ItemInfo";
// Load(application, section); Dictionary (property) -> Dictionary; Save(application, section)
inline constexpr const char* kUserProfile = "QOREBCBASE.UserProfile";
// FormatMessage(template, values list) -> text with %1, %2, ... filled
inline constexpr const char* kAppPub = "QOREBCPUB.AppPub";
// GetZ9FontProps(language) -> Dictionary with "Font.Name", "Font.Charset"
inline constexpr const char* kFrmResLoader = "QORFrmRes.FrmResLoader";
// Title, Text (properties); AddButton(caption); Show(kind, "", true) -> button code
// (kind 0: one acknowledging button; kind 1: 是 gives 1, 否 gives 2);
// MsgBox(text, style, title) -> 1, a plain box whose style carries the icon
inline constexpr const char* kMessageDialog = "QORMsgDlg.MessageDialog";
// The component class of this module, as the host creates it.
inline constexpr const char* kOrderBatchTrace = "QOROrderBatchTrace.COrderBatchTrace";

}  // namespace qor::host::progid
