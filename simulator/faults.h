// Faults set up in the settings file's [Faults] section, so a test can make
// the register refuse, or the driver itself fail, at one chosen member.
//   Name=<nonzero code>     the method Name returns that code, sets
//                           ResultCode to it and does nothing else;
//                           DeviceEnabled=<code> makes switching on fail
//   Name.Description=text   the ResultDescription that goes with the code
//   Name=raise              every access to Name raises an automation error
#pragma once

#include <map>
#include <string>

#include "platform/profile.h"
#include "simulator/members.h"

struct Fault {
  bool raise = false;
  long long code = 0;
  std::string description;  // UTF-8
};

class Faults {
 public:
  static Faults Read(const ProfileFile& file);
  // Null when the member works normally.
  const Fault* For(Member member) const;

 private:
  std::map<Member, Fault> faults_;
};
