// User-interaction service: how core code talks to the person at the
// keyboard. The desktop editor answers with message boxes, korvmap with
// stderr, and the tests with a recorder. Core code never prints or opens a
// dialog itself.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace korv {

// `text` with each carriage return that is not followed by a line feed
// turned into a line feed: how a message's line breaks are shown.
std::string LinesForDisplay(std::string text);

class UserInteraction {
 public:
  virtual ~UserInteraction() = default;

  // A plain message with an OK button.
  virtual void Message(const std::string& text) = 0;
  // True for OK, false for Cancel.
  virtual bool AskOkCancel(const std::string& text) = 0;
  // True for Yes, false for No.
  virtual bool AskYesNo(const std::string& text) = 0;
  // The main window's progress label ("Writing map data", "Map Saved").
  virtual void Progress(const std::string& text) = 0;
  // Busy pointer on or off while a long command runs.
  virtual void SetBusy(bool busy) = 0;
};

// Shows the busy pointer for the life of the object.
class BusyScope {
 public:
  explicit BusyScope(UserInteraction& ui) : ui_(ui) { ui_.SetBusy(true); }
  ~BusyScope() { ui_.SetBusy(false); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  UserInteraction& ui_;
};

// Writes messages to a stream (stderr for korvmap); questions get a fixed
// answer: yes/OK when `answerYes`, else no/Cancel.
class ConsoleInteraction : public UserInteraction {
 public:
  explicit ConsoleInteraction(std::ostream& stream, bool answerYes = false,
                              bool showProgress = false)
      : stream_(stream), answerYes_(answerYes), showProgress_(showProgress) {}
  void Message(const std::string& text) override;
  bool AskOkCancel(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  void Progress(const std::string& text) override;
  void SetBusy(bool) override {}

 private:
  std::ostream& stream_;
  bool answerYes_;
  bool showProgress_;
};

// Records everything said, answers questions from a queue (default: yes).
class RecordingInteraction : public UserInteraction {
 public:
  struct Event {
    enum Kind { kMessage, kOkCancel, kYesNo, kProgress } kind;
    std::string text;
  };

  void Message(const std::string& text) override { events.push_back({Event::kMessage, text}); }
  bool AskOkCancel(const std::string& text) override {
    events.push_back({Event::kOkCancel, text});
    return NextAnswer();
  }
  bool AskYesNo(const std::string& text) override {
    events.push_back({Event::kYesNo, text});
    return NextAnswer();
  }
  void Progress(const std::string& text) override {
    events.push_back({Event::kProgress, text});
    lastProgress = text;
  }
  void SetBusy(bool busy) override { busyDepth += busy ? 1 : -1; }

  std::vector<std::string> Messages() const;
  void Clear() { events.clear(); }

  std::vector<Event> events;
  std::vector<bool> answers;  // consumed front to back; yes once exhausted
  std::string lastProgress;
  int busyDepth = 0;

 private:
  bool NextAnswer() {
    if (answers.empty()) return true;
    bool answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
};

}  // namespace korv
