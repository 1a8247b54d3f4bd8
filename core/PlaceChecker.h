// Checks where the files of a removal really lie on a thread of its own,
// a few files ahead of the shell: each check costs the system a few round
// trips, which then overlap the shell's much longer work on the files
// before it instead of adding to every file's time. A file is still sent
// only once its own check has found it at its place.
#pragma once

#include "core/Handle.h"
#include "core/Places.h"

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

namespace yorv {

class PlaceChecker {
public:
    // The files of one folder, checked in the order they were added.
    class Batch {
    public:
        Batch(PlaceChecker& checker, const Place& folder) : checker_(checker), folder_(folder) {}
        ~Batch();  // waits until the checker is done with it
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

        // Returns the file's index.
        std::size_t Add(std::string path, std::string name);
        // Hands the files to the checker; none may be added after.
        void Start();
        // Whether the file at `index` lies at its own place in the folder;
        // waits for its answer.
        bool LiesIn(std::size_t index);

    private:
        friend class PlaceChecker;
        struct File {
            std::string path;
            std::string name;
            bool liesIn = false;
        };
        void CheckNext();  // on the checker's thread, with its lock released

        PlaceChecker& checker_;
        const Place& folder_;
        std::vector<File> files_;
        std::size_t checked_ = 0;  // guarded by the checker's lock
        bool started_ = false;
    };

    PlaceChecker() = default;
    ~PlaceChecker();  // stops the thread
    PlaceChecker(const PlaceChecker&) = delete;
    PlaceChecker& operator=(const PlaceChecker&) = delete;

private:
    static DWORD WINAPI ThreadMain(void* self);
    void Run();
    bool Queue(Batch& batch);  // false: no thread, the caller checks
    void WaitFor(const Batch& batch, std::size_t count);

    SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE workArrived_ = CONDITION_VARIABLE_INIT;
    CONDITION_VARIABLE fileChecked_ = CONDITION_VARIABLE_INIT;
    std::deque<Batch*> queue_;  // guarded by lock_, as are the two below
    bool stopping_ = false;
    int waiting_ = 0;  // threads asleep on fileChecked_
    UniqueProcess thread_;  // started with the first batch
    bool threadTried_ = false;
};

}  // namespace yorv
