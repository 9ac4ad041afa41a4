#pragma once

#include <QString>
#include <QVariantList>
#include <cstdint>

namespace qor {

// Title of every message box of the module.
inline const QString kMessageTitle = QStringLiteral("栎澄提示");

// Kinds of ShowMessage: a notice with one acknowledging button, or a question
// whose confirmation answers kMessageConfirmed.
inline constexpr int32_t kMessageNotice = 0;
inline constexpr int32_t kMessageQuestion = 1;
inline constexpr int16_t kMessageConfirmed = 1;

// Styles of a plain box: its icon; every plain box has one OK button.
inline constexpr int32_t kMsgOkOnly = 0;
inline constexpr int32_t kMsgExclamation = 48;
inline constexpr int32_t kMsgInformation = 64;

// The hook every user-visible literal passes through; the module ships only
// its Simplified Chinese texts, so the text comes back unchanged.
QString Translate(const QString& text);

// Shows text in the host's message dialog and answers the code of the button
// pressed. extraButtons adds one button per value, captioned with its text.
// Errors (the dialog missing) reach the caller.
int16_t ShowMessage(int32_t kind, const QString& text, const QVariantList& extraButtons = {});

// A notice at the end of an operation that has already failed or given up:
// a message dialog that cannot be shown is not reported again.
void ShowNoticeQuietly(const QString& text);

// A plain box of the host's message dialog with an OK button and the icon of
// style. Errors reach the caller.
void MsgBox(const QString& text, int32_t style);

// The template with %1, %2, ... filled from values by the process-wide AppPub.
QString FormatMessage(const QString& messageTemplate, const QVariantList& values);

}  // namespace qor
