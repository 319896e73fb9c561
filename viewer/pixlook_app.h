// The viewer's application object: runs the viewer dialog and ends with it.
#pragma once

#include "framework/app.h"

class CPixlookApp : public CWinApp {
 public:
  CPixlookApp();
  BOOL InitInstance() override;

  DECLARE_MESSAGE_MAP()
};
