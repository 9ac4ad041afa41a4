#include "app/UnfinishedCompanyFile.h"

#include "platform/db/OpenDatabase.h"

#include <unistd.h>
#include <QFile>
#include <array>
#include <csignal>
#include <cstring>

namespace qor::app {

namespace {

// The files a signal removes, kept as the handler needs them: encoded
// beforehand, in storage that no allocation touches.
std::array<std::array<char, 4096>, std::size(db::kCompanyFileSuffixes)> pendingFiles{};
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

std::array<struct sigaction, std::size(kSignals)> previousActions{};

extern "C" void RemoveAndDie(int signal) {
    for (const auto& file : pendingFiles)
        if (file[0] != '\0') unlink(file.data());
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

}  // namespace

UnfinishedCompanyFile::UnfinishedCompanyFile(const QString& path) : path_(path) {
    for (size_t k = 0; k < std::size(db::kCompanyFileSuffixes); ++k) {
        const QByteArray name = QFile::encodeName(path + QLatin1String(db::kCompanyFileSuffixes[k]));
        if (static_cast<size_t>(name.size()) < pendingFiles[k].size())
            std::memcpy(pendingFiles[k].data(), name.constData(), static_cast<size_t>(name.size()) + 1);
    }
    // A signal the caller ignores (a job started in the background) stays ignored.
    struct sigaction removing {};
    removing.sa_handler = &RemoveAndDie;
    sigemptyset(&removing.sa_mask);
    for (size_t k = 0; k < std::size(kSignals); ++k) {
        sigaction(kSignals[k], nullptr, &previousActions[k]);
        if (previousActions[k].sa_handler != SIG_IGN) sigaction(kSignals[k], &removing, nullptr);
    }
}

UnfinishedCompanyFile::~UnfinishedCompanyFile() {
    Disarm();
    if (!finished_) db::RemoveDatabaseFiles(path_);
}

void UnfinishedCompanyFile::Finish() {
    // From here on a signal ends the program with the company complete.
    Disarm();
    finished_ = true;
}

void UnfinishedCompanyFile::Disarm() {
    for (size_t k = 0; k < std::size(kSignals); ++k) sigaction(kSignals[k], &previousActions[k], nullptr);
    for (auto& file : pendingFiles) file.fill('\0');
}

}  // namespace qor::app
