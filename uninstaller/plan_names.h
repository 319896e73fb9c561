// Names the removal plan is addressed by: the plan file below the Windows
// directory, its two device-variant sections and the numbered entries.
// Each one is built in a fixed 260-character buffer; a name that does not
// fit is reported, never used cut. No <windows.h>, so the host tests reach it.
#pragma once

#include <cstddef>

constexpr std::size_t kPlanNameChars = 260;

// "<windows dir>\Drvprep\Remove907.ini"
bool FormatPlanPath(char (&path)[kPlanNameChars], const char* windowsDir);

// "<devNo>PIDVID" and "<devNo>KEY". False, with both empty, when either does
// not fit: a section named by a cut variant would be some other variant's.
bool FormatPlanSections(const char* devNo, char (&pidvidSection)[kPlanNameChars],
                        char (&keySection)[kPlanNameChars]);

// "Num<n>", counting from 1.
bool FormatEntryName(char (&name)[kPlanNameChars], int number);
