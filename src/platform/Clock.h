#pragma once
// The source of "now", so that tests and scripts can fix today's date.

#include <ctime>

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::time_t Now() const = 0;
};

// The machine's clock.
class SystemClock : public Clock {
 public:
  std::time_t Now() const override { return std::time(nullptr); }
};

// A clock that always answers the same instant.
class FixedClock : public Clock {
 public:
  explicit FixedClock(std::time_t instant) : m_instant(instant) {}
  std::time_t Now() const override { return m_instant; }
  void Set(std::time_t instant) { m_instant = instant; }

 private:
  std::time_t m_instant;
};

}  // namespace platform
