#include "simulator/faults.h"

#include <charconv>

#include "platform/ascii.h"
#include "simulator/utf8.h"

namespace {

constexpr std::string_view kFaults = "Faults";
constexpr std::string_view kDefaultDescription = "Ошибка, заданная для проверки";

bool IsRaise(std::string_view text) { return SameAsciiName(text, std::string_view("raise")); }

std::optional<long long> NonzeroCode(std::string_view text) {
  long long code = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), code);
  if (error != std::errc() || end != text.data() + text.size() || code == 0) return std::nullopt;
  return code;
}

// Only methods, and switching the register on, give a result code.
bool CanRefuse(Member member) { return InfoOf(member).kind == MemberKind::Method || member == Member::DeviceEnabled; }

}  // namespace

Faults Faults::Read(const ProfileFile& file) {
  Faults faults;
  for (std::size_t place = 0; place < AllMembers().size(); ++place) {
    const MemberInfo& info = AllMembers()[place];
    const auto member = static_cast<Member>(place);
    std::string value = file.ReadString(kFaults, info.name, "");
    if (IsRaise(value)) {
      faults.faults_[member] = Fault{true, 0, {}};
      continue;
    }
    auto code = NonzeroCode(value);
    if (!code || !CanRefuse(member)) continue;
    std::string descriptionKey = std::string(info.name) + ".Description";
    std::string description = SettingsTextToUtf8(file.ReadString(kFaults, descriptionKey, ""));
    faults.faults_[member] =
        Fault{false, *code, description.empty() ? std::string(kDefaultDescription) : description};
  }
  return faults;
}

const Fault* Faults::For(Member member) const {
  auto found = faults_.find(member);
  return found == faults_.end() ? nullptr : &found->second;
}
