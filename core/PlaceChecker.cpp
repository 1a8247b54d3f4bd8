#include "core/PlaceChecker.h"

#include <algorithm>
#include <utility>

namespace yorv {

namespace {

// Holds an SRW lock exclusively for its lifetime.
class Locked {
public:
    explicit Locked(SRWLOCK& lock) : lock_(lock) { ::AcquireSRWLockExclusive(&lock_); }
    ~Locked() { ::ReleaseSRWLockExclusive(&lock_); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    SRWLOCK& lock_;
};

}  // namespace

PlaceChecker::Batch::~Batch()
{
    if (queued_)
        checker_.Pop(*this);
}

std::size_t PlaceChecker::Batch::Add(std::string path, std::string name)
{
    files_.push_back({std::move(path), std::move(name)});
    return files_.size() - 1;
}

void PlaceChecker::Batch::Start()
{
    if (started_)
        return;
    started_ = true;
    if (!files_.empty())
        queued_ = checker_.Push(*this);
}

bool PlaceChecker::Batch::LiesIn(std::size_t index)
{
    if (!started_ || index >= files_.size())
        return false;
    if (!queued_)
        return Check(index);  // no thread: checked at its turn
    return checker_.Answer(*this, index);
}

bool PlaceChecker::Batch::Check(std::size_t index)
{
    File& file = files_[index];
    try {
        file.liesIn = yorv::LiesIn(file.path, file.name, folder_);
    } catch (...) {
        file.liesIn = false;  // not known to lie at its place: it stays
    }
    return file.liesIn;
}

PlaceChecker::~PlaceChecker()
{
    if (!thread_)
        return;
    {
        Locked locked(lock_);
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
    Locked locked(lock_);
    while (!stopping_) {
        Batch* batch = batches_.empty() ? nullptr : batches_.back();
        if (!batch || !NeedsChecker(*batch)) {
            Await(workerCalled_, workerAsleep_);
            continue;
        }
        checking_ = batch;
        const std::size_t index = batch->checked_;
        ::ReleaseSRWLockExclusive(&lock_);
        batch->Check(index);
        ::AcquireSRWLockExclusive(&lock_);
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
    Locked locked(lock_);
    batches_.push_back(&batch);
    if (workerAsleep_)
        ::WakeAllConditionVariable(&workerCalled_);
    return true;
}

void PlaceChecker::Pop(Batch& batch)
{
    Locked locked(lock_);
    // Files left unasked (the removal stopped early) go unchecked.
    while (checking_ == &batch)
        Await(fileChecked_, removalWaiting_);
    batches_.erase(std::remove(batches_.begin(), batches_.end(), &batch), batches_.end());
    if (workerAsleep_ && !batches_.empty())
        ::WakeAllConditionVariable(&workerCalled_);  // back to the folder above
}

bool PlaceChecker::Answer(Batch& batch, std::size_t index)
{
    {
        Locked locked(lock_);
        if (batches_.back() == &batch) {
            batch.asked_ = std::max(batch.asked_, index + 1);
            // Called back when half its lead is used up, or when this file
            // waits for it: not for every file.
            if (workerAsleep_ && batch.checked_ < batch.files_.size() && batch.checked_ < batch.asked_ + kAhead / 2)
                ::WakeAllConditionVariable(&workerCalled_);
            while (batch.checked_ <= index)
                Await(fileChecked_, removalWaiting_);
            return batch.files_[index].liesIn;
        }
    }
    // Not the folder the thread works on, nor ever to be while the removal
    // waits here: checked at its turn instead.
    return batch.Check(index);
}

}  // namespace yorv
