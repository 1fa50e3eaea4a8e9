#include "simulator/members.h"

#include "platform/ascii.h"

namespace {

template <class Char>
std::optional<Member> Find(std::basic_string_view<Char> name) {
  for (std::size_t place = 0; place < kDriverMemberCount; ++place) {
    if (SameAsciiName(name, kDriverMembers[place].name)) return static_cast<Member>(place);
  }
  return std::nullopt;
}

}  // namespace

std::span<const MemberInfo> AllMembers() { return kDriverMembers; }

const MemberInfo& InfoOf(Member member) { return kDriverMembers[static_cast<std::size_t>(member)]; }

std::optional<Member> FindMember(OleStringView name) { return Find(name); }
std::optional<Member> FindMember(std::string_view name) { return Find(name); }

DISPID DispatchIdOf(Member member) { return static_cast<DISPID>(member) + 1; }

std::optional<Member> MemberOfDispatchId(DISPID id) {
  if (id < 1 || id > static_cast<DISPID>(kDriverMemberCount)) return std::nullopt;
  return static_cast<Member>(id - 1);
}
