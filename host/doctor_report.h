// The findings as text: one line a finding, a problem's fix on the line
// after it, the same for the console and the report file.
#pragma once

#include <string>

#include "host/doctor_findings.h"

// UTF-8 with LF line ends.
std::string RenderFindings(const Findings& findings, Language language);

// The same for a support request: UTF-8 with a byte order mark and CR LF,
// as Notepad and mail on a till read it.
std::string ReportFileBytes(const std::string& rendered);
