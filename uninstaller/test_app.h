// The uninstaller's application object.
#pragma once

#include "framework/app.h"

class CTestApp : public CWinApp {
 public:
  BOOL InitInstance() override;
};
