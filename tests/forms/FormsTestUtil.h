#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "forms/KaufForm.h"
#include "platform/Prompter.h"
#include "tests/document/SamplePortfolio.h"

namespace testutil {

// Records every message and answers questions from a script (OK or Yes when it is empty).
class ScriptedPrompter : public platform::Prompter {
 public:
  struct Message {
    std::string caption;
    std::string text;
    platform::Icon icon;
  };
  std::vector<Message> messages;
  std::deque<platform::Answer> answers;

  platform::Answer Ask(const std::string& caption, const std::string& text, platform::Icon icon,
                       platform::Buttons buttons) override {
    messages.push_back({caption, text, icon});
    if (buttons == platform::Buttons::Ok) return platform::Answer::Ok;
    if (answers.empty())
      return buttons == platform::Buttons::OkCancel ? platform::Answer::Ok : platform::Answer::Yes;
    const platform::Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  std::string Last() const { return messages.empty() ? std::string() : messages.back().text; }
};

// An empty portfolio kept in DM from 1 January 1999.
inline std::unique_ptr<CKapibuchDoc> DmPortfolio() {
  auto doc = std::make_unique<CKapibuchDoc>(TestClock());
  NewFileData data;
  data.startDay = Day(1, 1, 1999);
  data.openingBalance = 1000000;
  data.currency = kDm;
  doc->SetupNew(data);
  return doc;
}

// Buys through the buy form (all texts as typed). A buy the form refuses fails the test at
// the line that asked for it, with the form's message.
inline void Buy(CKapibuchDoc& doc, CKBXDatum date, const std::string& name, const std::string& wkn,
                const std::string& qty, const std::string& price, const std::string& commission = "0",
                const char* file = __builtin_FILE(), int line = __builtin_LINE()) {
  KaufForm dlg(doc);
  dlg.date = date;
  dlg.PickName(name);
  dlg.PickWkn(wkn);
  dlg.quantityText = qty;
  dlg.priceText = price;
  dlg.commissionText = commission;
  ScriptedPrompter prompter;
  if (dlg.OnOK(prompter)) {
    dlg.Book(doc);
  } else {
    ADD_FAILURE_AT(file, line) << "buy of " << qty << " " << name << " refused: " << prompter.Last();
  }
}

}  // namespace testutil
