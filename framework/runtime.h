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

// A new object of `cls` as a T, or nullptr when there is no class, memory is
// short, or the class is not a T.
template <typename T>
T* CreateObjectAs(const CRuntimeClass* cls) {
  if (!cls) return nullptr;
  CObject* object = cls->CreateObject();
  T* typed = dynamic_cast<T*>(object);
  if (!typed) delete object;
  return typed;
}
