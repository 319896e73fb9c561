// Classes the framework creates by description: the document template makes
// a program's document, frame and view from their CRuntimeClass.
#pragma once

#include <new>

#include "framework/object.h"

struct CRuntimeClass {
  const char* m_lpszClassName;
  CObject* (*m_pfnCreateObject)();
  // A new object of the class, or nullptr when memory is short.
  CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
};

#define DECLARE_DYNCREATE(theClass)           \
 public:                                      \
  static const CRuntimeClass class##theClass; \
  static CObject* CreateObject();

#define IMPLEMENT_DYNCREATE(theClass, baseClass)                            \
  CObject* theClass::CreateObject() { return new (std::nothrow) theClass; } \
  const CRuntimeClass theClass::class##theClass = {#theClass, &theClass::CreateObject};

#define RUNTIME_CLASS(theClass) (&theClass::class##theClass)
