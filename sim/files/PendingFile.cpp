#include "sim/files/PendingFile.h"

#include <vector>

namespace quorvel::sim {

PendingFile::PendingFile(std::filesystem::path finalPath) : final(std::move(finalPath)), temp(final) {
    temp += ".partial";
    // What is there already is an earlier run's leftover, or a link put
    // there so that the writer writes through it to another file: it goes.
    std::error_code ignored;
    if (!std::filesystem::is_directory(std::filesystem::symlink_status(temp, ignored))) {
        std::filesystem::remove(temp, ignored);
    }
}

PendingFile::~PendingFile() { Discard(); }

bool PendingFile::Commit() {
    std::error_code ignored;
    return Commit(ignored);
}

bool PendingFile::Commit(std::error_code& error) {
    if (done) {
        error = std::make_error_code(std::errc::invalid_argument);
        return false;
    }
    std::filesystem::rename(temp, final, error);
    if (error) {
        Discard();
        return false;
    }
    done = true;
    return true;
}

void PendingFile::Discard() {
    if (done) return;
    std::error_code ignored;  // nothing may be there yet
    if (!std::filesystem::is_directory(temp, ignored)) std::filesystem::remove(temp, ignored);
    done = true;
}

namespace {

namespace fs = std::filesystem;

fs::path AsidePath(const fs::path& final) {
    fs::path aside = final;
    aside += ".earlier";
    return aside;
}

std::string Failure(const char* what, const fs::path& from, const fs::path& to, const std::error_code& error) {
    return std::string("cannot ") + what + " " + from.string() + " to " + to.string() + ": " + error.message();
}

}  // namespace

bool CommitTogether(std::span<PendingFile* const> files, std::string& why) {
    std::error_code error;
    const auto giveUp = [&](std::string reason) {
        why = std::move(reason);
        for (PendingFile* file : files) file->Discard();
        return false;
    };
    for (const PendingFile* file : files) {
        if (file->done) return giveUp(file->final.string() + ": committed already");
        if (fs::is_directory(file->final, error)) return giveUp(file->final.string() + " is a folder");
    }

    // Each earlier file set aside; a failure puts back those moved so far.
    std::vector<bool> setAside(files.size(), false);
    const auto putBack = [&](std::size_t count) {
        std::error_code ignored;
        for (std::size_t i = 0; i < count; ++i) {
            if (setAside[i]) fs::rename(AsidePath(files[i]->final), files[i]->final, ignored);
        }
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        const fs::path& final = files[i]->final;
        if (!fs::exists(fs::symlink_status(final, error))) continue;
        fs::rename(final, AsidePath(final), error);
        if (error) {
            putBack(i);
            return giveUp(Failure("set aside", final, AsidePath(final), error));
        }
        setAside[i] = true;
    }

    for (std::size_t i = 0; i < files.size(); ++i) {
        fs::rename(files[i]->temp, files[i]->final, error);
        if (!error) continue;
        const std::string reason = Failure("rename", files[i]->temp, files[i]->final, error);
        std::error_code ignored;
        for (std::size_t done = 0; done < i; ++done) fs::remove(files[done]->final, ignored);
        putBack(files.size());
        return giveUp(reason);
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        files[i]->done = true;
        std::error_code ignored;  // a leftover copy is no output's name
        if (setAside[i]) fs::remove(AsidePath(files[i]->final), ignored);
    }
    return true;
}

}  // namespace quorvel::sim
