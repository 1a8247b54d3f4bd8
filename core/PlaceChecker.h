// Checks where the files of a removal really lie on a thread of its own,
// a few files ahead of the shell: each check costs the system a few round
// trips, which then overlap the shell's much longer work on the files
// before it instead of adding to every file's time. A file is still sent
// only once its own check has found it at its place, and no file is
// checked more than a few files before its turn.
#pragma once

#include "core/Handle.h"
#include "core/Places.h"

#include <windows.h>

#include <string>
#include <vector>

namespace yorv {

class PlaceChecker {
public:
    // The files of one folder, checked in the order they were added. The
    // checker works on the newest batch alive: the folder the removal is
    // in, whose subfolders' batches come and go before its own files are
    // asked for again.
    class Batch {
    public:
        Batch(PlaceChecker& checker, const Place& folder) : checker_(checker), folder_(folder) {}
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

        // Returns the file's index.
        std::size_t Add(std::string path, std::string name);
        // Hands the files to the checker; none may be added after.
        void Start();
        // Whether the file at `index` lies at its own place in the folder;
        // waits for its answer. Asked in order of the indexes.
        bool LiesIn(std::size_t index);

    private:
        friend class PlaceChecker;
        struct File {
            std::string path;
            std::string name;
            bool liesIn = false;
        };
        bool Check(std::size_t index);  // with the checker's lock released

        PlaceChecker& checker_;
        const Place& folder_;
        std::vector<File> files_;
        bool started_ = false;
        bool queued_ = false;
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
