#include "uninstaller/test_doc.h"

IMPLEMENT_DYNCREATE(CTestDoc, CDocument)
