#include "platform/interaction.h"

#include <iostream>

namespace korv {

std::string LinesForDisplay(std::string text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) text[i] = '\n';
  }
  return text;
}

void ConsoleInteraction::Message(const std::string& text) {
  stream_ << LinesForDisplay(text) << '\n';
}

bool ConsoleInteraction::AskOkCancel(const std::string& text) {
  stream_ << LinesForDisplay(text) << (answerYes_ ? " [OK]" : " [Cancel]") << '\n';
  return answerYes_;
}

bool ConsoleInteraction::AskYesNo(const std::string& text) {
  stream_ << LinesForDisplay(text) << (answerYes_ ? " [Yes]" : " [No]") << '\n';
  return answerYes_;
}

void ConsoleInteraction::Progress(const std::string& text) {
  if (showProgress_) stream_ << LinesForDisplay(text) << '\n';
}

std::vector<std::string> RecordingInteraction::Messages() const {
  std::vector<std::string> texts;
  for (const auto& event : events) {
    if (event.kind == Event::kMessage) texts.push_back(event.text);
  }
  return texts;
}

}  // namespace korv
