// Checks where the files of a removal really lie on a thread of its own,
// a few files ahead of the shell: each check costs the system a few round
// trips, which then overlap the shell's much longer work on the files
// before it instead of adding to every file's time. A file is still sent
// only once its own check has found it at its place, and no file is
// checked more than a few files before its turn.
#pragma once

#include "core/FileSystem.h"
#include "core/Handle.h"
#include "core/Listing.h"

#include <windows.h>

#include <string>
#include <vector>

namespace yorv {

class PlaceChecker {
public:
    // The files of one folder, the entries it recycles, checked in their
    // order. The checker works on the newest batch alive: the folder the
    // removal is in, whose subfolders' batches come and go before its own
    // files are asked for again.
    class Batch {
    public:
        // The files among `entries`, listed in `dir`, which lies at `folder`.
        Batch(PlaceChecker& checker, const std::string& dir, const Place& folder,
              const std::vector<DirectoryEntry>& entries);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

        // Whether `entry`, the batch's next file, lies at its own place in
        // the folder; waits for its answer. Any other entry does not.
        bool LiesAt(const DirectoryEntry& entry);

    private:
        friend class PlaceChecker;
        struct File {
            const DirectoryEntry* entry;
            std::string path;
            bool liesAt = false;
        };
        void Check(File& file) const noexcept;

        PlaceChecker& checker_;
        const Place& folder_;
        std::vector<File> files_;
        std::size_t next_ = 0;  // the file the removal comes to next
        bool queued_ = false;   // on the checker's thread, else checked at its turn
        // Guarded by the checker's lock:
        std::size_t checked_ = 0;  // files answered
        std::size_t asked_ = 0;    // files the removal has come to
    };

    PlaceChecker() = default;
    ~PlaceChecker();  // stops the thread
    PlaceChecker(const PlaceChecker&) = delete;
    PlaceChecker& operator=(const PlaceChecker&) = delete;

private:
    static constexpr std::size_t kAhead = 16;  // files checked before their turn, at most

    static DWORD WINAPI ThreadMain(void* self);
    void Run();
    bool Push(Batch& batch);  // false: no thread, each file is checked at its turn
    void Pop(Batch& batch);
    bool Answer(Batch& batch, std::size_t index);
    bool NeedsChecker(const Batch& batch) const;
    // With lock_ held: waits for `wakeUp`, saying so in `asleep` meanwhile.
    void Await(CONDITION_VARIABLE& wakeUp, bool& asleep);

    SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE workerCalled_ = CONDITION_VARIABLE_INIT;
    CONDITION_VARIABLE fileChecked_ = CONDITION_VARIABLE_INIT;
    // Guarded by lock_:
    std::vector<Batch*> batches_;     // alive, the newest last
    const Batch* checking_ = nullptr;  // whose file the thread is checking
    bool workerAsleep_ = false;
    bool removalWaiting_ = false;
    bool stopping_ = false;

    UniqueProcess thread_;  // started with the first batch
    bool threadTried_ = false;
};

}  // namespace yorv
