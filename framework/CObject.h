// CObject: the root of the classes that know their run-time class, can be created from their class
// record and can be stored in an archive. CRuntimeClass is that record.
#pragma once

class CObject;
class CArchive;
class CDumpContext;

// A class that may read older layouts of itself marks its schema number with this flag.
constexpr unsigned VERSIONABLE_SCHEMA = 0x80000000u;

struct CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    unsigned m_nSchema;
    CObject* (*m_pfnCreateObject)();  // null when the class cannot be created from its record
    const CRuntimeClass* m_pBaseClass;

    CObject* CreateObject() const;  // a new default object, or null
    bool IsDerivedFrom(const CRuntimeClass* base) const;
};

class CObject {
public:
    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;
    virtual void Serialize(CArchive& ar);
    // Diagnostics; nothing to check or show in this program.
    virtual void AssertValid() const;
    virtual void Dump(CDumpContext& dc) const;

    bool IsKindOf(const CRuntimeClass* cls) const;

    static const CRuntimeClass s_runtimeClass;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject(CObject&&) = default;
    CObject& operator=(const CObject&) = default;
    CObject& operator=(CObject&&) = default;
};

// In the class body: the class record and dynamic creation.
#define ZEMBRA_DECLARE_RUNTIME_CLASS(Class)                   \
public:                                                       \
    static const CRuntimeClass s_runtimeClass;                \
    static CObject* CreateInstance();                         \
    const CRuntimeClass* GetRuntimeClass() const override;

// In one source file.
#define ZEMBRA_IMPLEMENT_RUNTIME_CLASS(Class, Base, schema)                                            \
    CObject* Class::CreateInstance() { return new Class; }                                             \
    const CRuntimeClass Class::s_runtimeClass = {#Class, static_cast<int>(sizeof(Class)), (schema),    \
                                                 &Class::CreateInstance, &Base::s_runtimeClass};       \
    const CRuntimeClass* Class::GetRuntimeClass() const { return &Class::s_runtimeClass; }
