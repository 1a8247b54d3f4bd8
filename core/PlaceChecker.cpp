#include "core/PlaceChecker.h"

#include <algorithm>

namespace yorv {

namespace {

// Holds an SRW lock for its lifetime, or, as `Unlocked`, lets go of one
// that is held.
template <bool Hold>
class LockScope {
public:
    explicit LockScope(SRWLOCK& lock) : lock_(lock)
    {
        Hold ? ::AcquireSRWLockExclusive(&lock_) : ::ReleaseSRWLockExclusive(&lock_);
    }
    ~LockScope() { Hold ? ::ReleaseSRWLockExclusive(&lock_) : ::AcquireSRWLockExclusive(&lock_); }
    LockScope(const LockScope&) = delete;
    LockScope& operator=(const LockScope&) = delete;

private:
    SRWLOCK& lock_;
};
using Locked = LockScope<true>;
using Unlocked = LockScope<false>;

}  // namespace

PlaceChecker::Batch::Batch(PlaceChecker& checker, const std::string& dir, const Place& folder,
                           const std::vector<DirectoryEntry>& entries)
    : checker_(checker), folder_(folder)
{
    for (const DirectoryEntry& entry : entries) {
        if (StepFor(entry) == RemovalStep::Recycle)
            files_.push_back({&entry, JoinPath(dir, entry.name)});
    }
    if (!files_.empty())
        queued_ = checker_.Push(*this);
}

PlaceChecker::Batch::~Batch()
{
    if (queued_)
        checker_.Pop(*this);
}

bool PlaceChecker::Batch::LiesAt(const DirectoryEntry& entry)
{
    // Files and answers go together by the entry itself: an entry that is
    // not the next file is not known to lie anywhere.
    if (next_ >= files_.size() || files_[next_].entry != &entry)
        return false;
    const std::size_t index = next_++;
    if (queued_)
        return checker_.Answer(*this, index);
    Check(files_[index]);
    return files_[index].liesAt;
}

void PlaceChecker::Batch::Check(File& file) const noexcept
{
    file.liesAt = yorv::LiesAt(file.path, folder_, file.entry->name);
}

PlaceChecker::~PlaceChecker()
{
    if (!thread_)
        return;
    {
        const Locked locked(lock_);
        stopping_ = true;
    }
    ::WakeAllConditionVariable(&workerCalled_);
    ::WaitForSingleObject(thread_.Get(), INFINITE);
}

DWORD WINAPI PlaceChecker::ThreadMain(void* self)
{
    static_cast<PlaceChecker*>(self)->Run();
    return 0;
}

void PlaceChecker::Await(CONDITION_VARIABLE& wakeUp, bool& asleep)
{
    asleep = true;
    ::SleepConditionVariableSRW(&wakeUp, &lock_, INFINITE, 0);
    asleep = false;
}

bool PlaceChecker::NeedsChecker(const Batch& batch) const
{
    return batch.checked_ < batch.files_.size() && batch.checked_ < batch.asked_ + kAhead;
}

void PlaceChecker::Run()
{
    const Locked locked(lock_);
    while (!stopping_) {
        Batch* batch = batches_.empty() ? nullptr : batches_.back();
        if (!batch || !NeedsChecker(*batch)) {
            Await(workerCalled_, workerAsleep_);
            continue;
        }
        // The removal reads a file's answer only once it is counted, under
        // the lock; the batch stays alive while checking_ names it.
        checking_ = batch;
        {
            const Unlocked unlocked(lock_);
            batch->Check(batch->files_[batch->checked_]);
        }
        checking_ = nullptr;
        ++batch->checked_;
        if (removalWaiting_)
            ::WakeAllConditionVariable(&fileChecked_);
    }
}

bool PlaceChecker::Push(Batch& batch)
{
    if (!threadTried_) {
        threadTried_ = true;
        thread_.Reset(::CreateThread(nullptr, 0, &ThreadMain, this, 0, nullptr));
    }
    if (!thread_)
        return false;
    const Locked locked(lock_);
    batches_.push_back(&batch);
    if (workerAsleep_)
        ::WakeAllConditionVariable(&workerCalled_);
    return true;
}

void PlaceChecker::Pop(Batch& batch)
{
    const Locked locked(lock_);
    // Files left unasked (the removal stopped early) go unchecked.
    while (checking_ == &batch)
        Await(fileChecked_, removalWaiting_);
    batches_.erase(std::remove(batches_.begin(), batches_.end(), &batch), batches_.end());
    if (workerAsleep_ && !batches_.empty())
        ::WakeAllConditionVariable(&workerCalled_);  // back to the folder above
}

bool PlaceChecker::Answer(Batch& batch, std::size_t index)
{
    // The batch asked is always the newest: a subfolder's batch is gone
    // before the walk comes back to its folder's files.
    const Locked locked(lock_);
    batch.asked_ = std::max(batch.asked_, index + 1);
    // Called back when half its lead is used up, or when this file waits
    // for it: not for every file.
    if (workerAsleep_ && batch.checked_ < batch.files_.size() && batch.checked_ < batch.asked_ + kAhead / 2)
        ::WakeAllConditionVariable(&workerCalled_);
    while (batch.checked_ <= index)
        Await(fileChecked_, removalWaiting_);
    return batch.files_[index].liesAt;
}

}  // namespace yorv
