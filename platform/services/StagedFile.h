#pragma once

#include <QString>

namespace qor::services {

// A file written under a temporary name beside its destination and moved
// over the destination only by Commit, so that a failed or cancelled write
// leaves no partial file and an existing file as it was.
class StagedFile {
public:
    // Creates the temporary file; throws HostError when the folder refuses.
    explicit StagedFile(QString destination);
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    const QString& TemporaryPath() const { return temporary_; }
    // Throws HostError when the file cannot take its place.
    void Commit();

private:
    QString destination_;
    QString temporary_;
    bool committed_ = false;
};

}  // namespace qor::services
