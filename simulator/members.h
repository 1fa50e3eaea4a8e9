// The driver members the simulator answers: the adapter's own member table,
// with an enum to name them in the code. The dispatch id of a member is its
// place in the table plus one.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "adapter/driver_members.h"
#include "platform/com.h"

enum class Member {
#define DRIVER_MEMBER(name, kind, type) name,
#include "adapter/driver_members.def"
#undef DRIVER_MEMBER
};

using MemberInfo = DriverMemberInfo;

std::span<const MemberInfo> AllMembers();
const MemberInfo& InfoOf(Member member);
// Names match without regard to case.
std::optional<Member> FindMember(OleStringView name);
std::optional<Member> FindMember(std::string_view name);
DISPID DispatchIdOf(Member member);
std::optional<Member> MemberOfDispatchId(DISPID id);
