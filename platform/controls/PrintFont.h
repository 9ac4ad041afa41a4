#pragma once

#include <QFont>
#include <QString>

namespace qor::controls {

// The font of a print header or footer line. Charset is the Windows
// character-set number (134 is GB2312); it chooses the family to fall back on
// when the named one is not installed.
class PrintFont {
public:
    const QString& Name() const { return name_; }
    void SetName(const QString& name) { name_ = name; }
    int Charset() const { return charset_; }
    void SetCharset(int charset) { charset_ = charset; }
    double Size() const { return size_; }
    void SetSize(double points) { size_ = points; }
    bool Bold() const { return bold_; }
    void SetBold(bool bold) { bold_ = bold; }

    // The font to draw with: the named family when installed, else one that
    // writes the character set's script, else fallback's family.
    QFont Resolve(const QFont& fallback) const;

private:
    QString name_;
    int charset_ = 1;  // the default character set: any script
    double size_ = 9;
    bool bold_ = false;
};

}  // namespace qor::controls
