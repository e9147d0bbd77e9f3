#include "sim/PendingFile.h"

namespace quorvel::sim {

PendingFile::PendingFile(std::filesystem::path finalPath) : final(std::move(finalPath)), temp(final) {
    temp += ".partial";
}

PendingFile::~PendingFile() { Discard(); }

bool PendingFile::Commit() {
    if (done) return false;
    std::error_code error;
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
    std::filesystem::remove(temp, ignored);
    done = true;
}

}  // namespace quorvel::sim
