// A second thread for work that runs beside the thread that starts it, such
// as the strategic picture drawn while the map file is written.
#pragma once

#include <functional>
#include <memory>

namespace korv {

// Runs `work` on a thread of its own, which starts on a processor other than
// its maker's where the process may use another. Some systems place a new
// thread beside its maker and move it to an idle processor only at their
// next balancing tick: on a virtual machine here that was 2.5 ms, longer
// than the work the helper was made for. Once running, the helper may go to
// any processor the process may use. Joined when destroyed.
class HelperThread {
 public:
  explicit HelperThread(std::function<void()> work);
  HelperThread(const HelperThread&) = delete;
  HelperThread& operator=(const HelperThread&) = delete;
  ~HelperThread();

  // False when the system gave no thread: `work` has not run, and the
  // maker does it itself.
  bool Started() const { return thread_ != nullptr; }
  void Join();

 private:
  struct Thread;
  std::unique_ptr<Thread> thread_;
};

}  // namespace korv
