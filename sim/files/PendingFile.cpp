#include "sim/files/PendingFile.h"

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

}  // namespace quorvel::sim
