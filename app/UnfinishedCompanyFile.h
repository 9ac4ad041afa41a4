#pragma once

#include <QString>

namespace qor::app {

// A new company file while it is being filled: a failure, an interrupt
// (Ctrl+C) or a termination removes it with its journal files, so that no
// company without users is left behind to refuse the next try. One at a time.
class UnfinishedCompanyFile {
public:
    explicit UnfinishedCompanyFile(const QString& path);
    ~UnfinishedCompanyFile();
    UnfinishedCompanyFile(const UnfinishedCompanyFile&) = delete;
    UnfinishedCompanyFile& operator=(const UnfinishedCompanyFile&) = delete;

    // The company is complete: it stays.
    void Finish();

private:
    // Gives the signals back to what handled them before.
    void Disarm();

    QString path_;
    bool finished_ = false;
};

}  // namespace qor::app
