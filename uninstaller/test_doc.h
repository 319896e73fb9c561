// The uninstaller's document: empty, nothing is kept or saved.
#pragma once

#include "framework/doc.h"

class CTestDoc : public CDocument {
  DECLARE_DYNCREATE(CTestDoc)
};
