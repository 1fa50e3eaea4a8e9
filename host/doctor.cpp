#include "host/doctor.h"

#include <algorithm>
#include <exception>
#include <functional>

#include "host/doctor_checks.h"
#include "host/doctor_report.h"
#include "platform/codepage.h"
#include "platform/installation.h"
#include "platform/system_path.h"
#include "platform/whole_file.h"

namespace {

struct DoctorOptions {
  bool connect = false;
  bool english = false;
  std::string report;  // empty: none
};

bool ParseOptions(const std::vector<std::string>& arguments, DoctorOptions& options) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == "--connect") {
      options.connect = true;
    } else if (arguments[i] == "--english") {
      options.english = true;
    } else if (arguments[i] == "--report" && i + 1 < arguments.size() && !arguments[i + 1].empty()) {
      options.report = arguments[++i];
    } else {
      return false;
    }
  }
  return true;
}

int CountStopping(const Findings& findings, int wordSize) {
  return static_cast<int>(std::count_if(findings.begin(), findings.end(), [&](const Finding& finding) {
    return finding.outcome == Outcome::Problem && (finding.stops == 0 || finding.stops == wordSize);
  }));
}

// The last line: the program's own word size decides, the other one is told.
Finding Verdict(const Findings& findings, const DoctorContext& context) {
  const int own = context.programWordSize;
  const int problems = CountStopping(findings, own);
  Text text = problems == 0 ? Text{Message::VerdictReady, {WordSize(own)}}
                            : Text{Message::VerdictNotReady, {WordSize(own), std::to_string(problems)}};
  for (const int view : context.views) {
    if (view == own) continue;
    const int other = CountStopping(findings, view);
    text.then.push_back(other == 0 ? Text{Message::VerdictOtherReady, {WordSize(view)}}
                                   : Text{Message::VerdictOtherNotReady, {WordSize(view), std::to_string(other)}});
  }
  return {{Message::WhatVerdict}, problems == 0 ? Outcome::Ok : Outcome::Problem, std::move(text), {}, own};
}

// A check that stops on something unforeseen leaves a line saying so, and
// the others still run.
bool Guarded(Findings& findings, const std::function<void()>& check) {
  try {
    check();
    return true;
  } catch (const std::exception& failure) {
    findings.push_back(Problem({Message::WhatSystem}, {Message::CannotRun, {AnsiToUtf8(failure.what())}}, {},
                               kStopsNoHost));
    return false;
  }
}

}  // namespace

bool HostCanWork(const Findings& findings, int wordSize) { return CountStopping(findings, wordSize) == 0; }

int Doctor(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  DoctorOptions options;
  if (!ParseOptions(arguments, options)) {
    err << "usage: xhw doctor [--connect] [--report FILE] [--english]\n";
    return kDoctorCannotRun;
  }
  const Language language = options.english ? Language::English : Language::Russian;
  Findings findings;
  DoctorContext context;
  bool ran = Guarded(findings, [&] {
    context.programWordSize = ProgramWordSize();
    context.systemWordSize = SystemWordSize();
    context.views = RegistryViews();
  });
  if (ran) {
    ran = Guarded(findings, [&] { CheckProgram(context, findings); }) && ran;
    for (const int view : context.views) {
      for (const DoctorModule* module : {&Identities().selvane, &Identities().tarnvik}) {
        ran = Guarded(findings, [&] { CheckModule(*module, view, context, findings); }) && ran;
      }
      ran = Guarded(findings, [&] { CheckDriver(view, findings); }) && ran;
    }
    ran = Guarded(findings, [&] { CheckSettings(findings); }) && ran;
    ran = Guarded(findings, [&] { CheckMarshalling(findings); }) && ran;
    if (options.connect) ran = Guarded(findings, [&] { CheckRegister(context, findings); }) && ran;
    findings.push_back(Verdict(findings, context));
  }

  const std::string rendered = RenderFindings(findings, language);
  out << rendered << std::flush;
  if (!options.report.empty()) {
    try {
      ReplaceWholeFile(options.report, ReportFileBytes(rendered));
      out << Fill(Message::ReportWritten, language, {SystemPathToUtf8(options.report)}) << '\n';
    } catch (const std::exception& failure) {
      err << Fill(Message::ReportNotWritten, language, {SystemPathToUtf8(options.report), AnsiToUtf8(failure.what())}) << '\n';
      return kDoctorCannotRun;
    }
  }
  if (!ran) return kDoctorCannotRun;
  return HostCanWork(findings, context.programWordSize) ? kDoctorHostCanWork : kDoctorHostCannotWork;
}
