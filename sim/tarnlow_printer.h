// The simulated Tarnlow: a stateful model that answers every vendor request
// at the wire level as the printer does, with faults to inject. It is
// reached in-process through the device seam and as an emulated USB device
// through umockdev; both hand it the control setup a real printer would see.
// Thread-safe: umockdev calls it from its own worker thread.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "device/control_setup.h"

class TarnlowPrinter {
 public:
  // How the printer deals with one request.
  struct Answer {
    enum Kind { Data, Stall, Hang } kind = Data;
    std::vector<std::uint8_t> bytes;  // the reply (at most wLength bytes)
    int delayMs = 0;                  // how long the printer takes to give it
  };

  // A fault that replaces the printer's normal answer to one request code.
  struct Fault {
    enum Kind {
      FailTransfer,  // the transfer fails: no bytes
      Refuse,        // an answer other than "OK"
      ShortReply,    // only the first `length` bytes of the normal reply
      RawReply,      // exactly `raw` whatever the request
      NeverAnswer,   // the request is never completed
      ZeroInside,    // the normal reply with its middle byte zero
      Overlong,      // the normal reply and `length` bytes more (cut by the transfer)
    } kind = FailTransfer;
    int length = 0;
    std::vector<std::uint8_t> raw;
  };

  // A request as received, in the terms of the program that sent it.
  struct Received {
    int code;
    int wValue;  // as the program packed it (the wire value byte-swapped back)
    int length;
  };

  static constexpr std::uint16_t kInterfaceNumber = 0;

  TarnlowPrinter();

  Answer Handle(const ControlSetup& setup);

  // Printer state.
  void SetStatusCodes(std::vector<std::string> codes);
  void SetStatusReply(std::string text);  // a raw status reply instead
  // Sets KEY=VALUE on the information page that carries the key; an empty
  // value removes the line from the page.
  bool SetPageValue(const std::string& key, const std::string& value);
  std::string PageValue(const std::string& key) const;
  // Replaces a whole information page (1..4) with raw text.
  void SetPageText(int page, std::string text);
  std::string PageText(int page) const;
  // The 32-bit value a value-read code answers (20, 22, 24, 40..48, 53, 54,
  // 55..78, 81..84); 80 sets the machine kind.
  void SetValue(int readCode, std::int32_t value);
  std::int32_t Value(int readCode) const;

  void SetFault(int code, Fault fault);
  void ClearFault(int code);
  void ClearFaults();
  void SetPlugged(bool plugged);
  bool Plugged() const;
  // A slow printer: every answer (a failed transfer too) comes this long
  // after its request; 0 answers at once.
  void SetAnswerDelay(int milliseconds);

  std::vector<Received> TakeReceived();
  // Called for every request as it arrives (under the model's lock: the
  // observer must not call back into the printer).
  void OnRequest(std::function<void(const Received&)> observer);
  // Codes received that the printer does not know.
  std::vector<int> UnknownCodes() const;

  // Fills the state a demonstration printer would have.
  void LoadDemoState();

 private:
  Answer Normal(int code, int arg) const;
  std::string ComposePage(int page) const;
  void Apply(int code, int arg);

  mutable std::mutex mutex_;
  bool plugged_ = true;
  int answerDelayMs_ = 0;
  std::vector<std::string> statusCodes_;
  std::optional<std::string> statusReply_;
  std::map<std::string, std::string> pageValues_;
  std::map<int, std::string> pageTexts_;
  std::map<int, std::int32_t> values_;
  std::map<int, Fault> faults_;
  std::vector<Received> received_;
  std::vector<int> unknown_;
  std::function<void(const Received&)> observer_;
};

// Which information page (1..4) carries a key, 0 for none.
int TarnlowPageOfKey(const std::string& key);
