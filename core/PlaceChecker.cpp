#include "core/PlaceChecker.h"

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
    if (started_)
        checker_.WaitFor(*this, files_.size());
}

std::size_t PlaceChecker::Batch::Add(std::string path, std::string name)
{
    files_.push_back({std::move(path), std::move(name)});
    return files_.size() - 1;
}

void PlaceChecker::Batch::Start()
{
    if (files_.empty() || started_)
        return;
    started_ = true;
    if (checker_.Queue(*this))
        return;
    // No thread to check on: every file is checked here and now.
    for (; checked_ < files_.size(); ++checked_)
        CheckNext();
}

bool PlaceChecker::Batch::LiesIn(std::size_t index)
{
    if (index >= files_.size() || !started_)
        return false;
    checker_.WaitFor(*this, index + 1);
    return files_[index].liesIn;
}

void PlaceChecker::Batch::CheckNext()
{
    File& file = files_[checked_];
    try {
        file.liesIn = yorv::LiesIn(file.path, file.name, folder_);
    } catch (...) {
        file.liesIn = false;  // not known to lie at its place: it stays
    }
}

PlaceChecker::~PlaceChecker()
{
    if (!thread_)
        return;
    {
        Locked locked(lock_);
        stopping_ = true;
    }
    ::WakeAllConditionVariable(&workArrived_);
    ::WaitForSingleObject(thread_.Get(), INFINITE);
}

DWORD WINAPI PlaceChecker::ThreadMain(void* self)
{
    static_cast<PlaceChecker*>(self)->Run();
    return 0;
}

void PlaceChecker::Run()
{
    ::AcquireSRWLockExclusive(&lock_);
    for (;;) {
        while (queue_.empty() && !stopping_)
            ::SleepConditionVariableSRW(&workArrived_, &lock_, INFINITE, 0);
        if (queue_.empty())
            break;
        Batch& batch = *queue_.front();
        while (batch.checked_ < batch.files_.size()) {
            ::ReleaseSRWLockExclusive(&lock_);
            batch.CheckNext();
            ::AcquireSRWLockExclusive(&lock_);
            ++batch.checked_;
            if (waiting_ > 0)
                ::WakeAllConditionVariable(&fileChecked_);
        }
        queue_.pop_front();
    }
    ::ReleaseSRWLockExclusive(&lock_);
}

bool PlaceChecker::Queue(Batch& batch)
{
    if (!threadTried_) {
        threadTried_ = true;
        thread_.Reset(::CreateThread(nullptr, 0, &ThreadMain, this, 0, nullptr));
    }
    if (!thread_)
        return false;
    {
        Locked locked(lock_);
        queue_.push_back(&batch);
    }
    ::WakeAllConditionVariable(&workArrived_);
    return true;
}

void PlaceChecker::WaitFor(const Batch& batch, std::size_t count)
{
    Locked locked(lock_);
    while (batch.checked_ < count) {
        ++waiting_;
        ::SleepConditionVariableSRW(&fileChecked_, &lock_, INFINITE, 0);
        --waiting_;
    }
}

}  // namespace yorv
