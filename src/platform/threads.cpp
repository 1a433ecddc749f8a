#include "platform/threads.h"

#include <system_error>
#include <thread>
#include <utility>

#if defined(__linux__) && defined(__GLIBC__)
#include <pthread.h>
#include <sched.h>
#define KORV_STARTS_HELPERS_ELSEWHERE 1
#endif

namespace korv {

#ifdef KORV_STARTS_HELPERS_ELSEWHERE

struct HelperThread::Thread {
  pthread_t handle{};
  bool joined = false;
};

namespace {

struct Start {
  std::function<void()> work;
  cpu_set_t allowed;  // every processor the maker may use
  bool elsewhere = false;
};

void* RunHelper(void* argument) noexcept {
  std::unique_ptr<Start> start(static_cast<Start*>(argument));
  // Started away from its maker, it may now go wherever the maker may.
  if (start->elsewhere)
    pthread_setaffinity_np(pthread_self(), sizeof start->allowed, &start->allowed);
  // An exception leaving the work ends the program, as on any std::thread.
  start->work();
  return nullptr;
}

}  // namespace

HelperThread::HelperThread(std::function<void()> work) {
  auto start = std::make_unique<Start>();
  start->work = std::move(work);
  pthread_attr_t attributes;
  if (pthread_attr_init(&attributes) != 0) return;
  if (pthread_getaffinity_np(pthread_self(), sizeof start->allowed, &start->allowed) == 0) {
    cpu_set_t others = start->allowed;
    const int here = sched_getcpu();
    if (here >= 0 && here < CPU_SETSIZE) CPU_CLR(here, &others);
    start->elsewhere = CPU_COUNT(&others) > 0 &&
                       pthread_attr_setaffinity_np(&attributes, sizeof others, &others) == 0;
  }
  auto thread = std::make_unique<Thread>();
  if (pthread_create(&thread->handle, &attributes, RunHelper, start.get()) == 0) {
    start.release();  // the helper owns it now
    thread_ = std::move(thread);
  }
  pthread_attr_destroy(&attributes);
}

void HelperThread::Join() {
  if (!thread_ || thread_->joined) return;
  pthread_join(thread_->handle, nullptr);
  thread_->joined = true;
}

#else

struct HelperThread::Thread {
  std::thread thread;
};

HelperThread::HelperThread(std::function<void()> work) {
  try {
    thread_ = std::make_unique<Thread>(Thread{std::thread(std::move(work))});
  } catch (const std::system_error&) {
    thread_.reset();  // without a thread the maker does the work
  }
}

void HelperThread::Join() {
  if (thread_ && thread_->thread.joinable()) thread_->thread.join();
}

#endif

HelperThread::~HelperThread() {
  Join();
}

}  // namespace korv
