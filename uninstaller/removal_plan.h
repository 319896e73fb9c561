// The removal plan: Remove907.ini in the Drvprep folder of the Windows
// directory names the hardware IDs whose devices go and the registry trees
// below HKEY_LOCAL_MACHINE that go after them.
#pragma once

class CWnd;

// Carries out the plan and ends the process with exit code 0. A missing plan
// is reported in a message box owned by `frame`; nothing else is reported.
[[noreturn]] void RunRemovalPlan(CWnd* frame);
