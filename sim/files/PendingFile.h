// A file that only gets its name once it is complete. It is written under
// a temporary name beside the final one (the final name plus ".partial",
// in the same folder so that the rename cannot cross file systems) and
// renamed when the writer commits it; one never committed is removed, so
// an error or an interruption leaves nothing half-written that looks
// complete.
#pragma once

#include <filesystem>
#include <span>
#include <string>

namespace quorvel::sim {

class PendingFile {
public:
    // Removes any file or link at the temporary name first, so that the
    // writer makes a new file there.
    explicit PendingFile(std::filesystem::path finalPath);
    // Removes the temporary file unless it was committed.
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    const std::filesystem::path& TempPath() const { return temp; }
    const std::filesystem::path& FinalPath() const { return final; }

    // Renames the temporary file to the final name, replacing any file
    // there. False when the rename fails, with `error` saying why; the
    // temporary file is then removed. Close any stream on it first.
    bool Commit(std::error_code& error);
    bool Commit();
    // Removes the temporary file now; a folder of that name is not ours.
    void Discard();

private:
    friend bool CommitTogether(std::span<PendingFile* const> files, std::string& why);

    std::filesystem::path final;
    std::filesystem::path temp;
    bool done = false;
};

// Commits every file or none. A final name that is a folder fails the set
// before anything moves. The files already at the final names are set
// aside (final name plus ".earlier") until every rename has succeeded;
// when one fails, the files renamed so far are removed and the earlier
// ones put back. False, with `why` naming the file and the system's
// reason, when the set was not committed; the temporary files are then
// removed.
bool CommitTogether(std::span<PendingFile* const> files, std::string& why);

}  // namespace quorvel::sim
