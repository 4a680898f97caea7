// Run-time class information for the objects the document archive stores by class name.
#pragma once

#include <string_view>

class CArchive;
class CObject;

// Describes one storable class: its name, schema, base class and how to create it empty.
// Every CRuntimeClass registers itself by name when the program starts, so the archive
// can turn a stored class name back into an object.
struct CRuntimeClass {
    CRuntimeClass(const char* className, int schema, CObject* (*create)(),
                  const CRuntimeClass* base);
    CRuntimeClass(const CRuntimeClass&) = delete;
    CRuntimeClass& operator=(const CRuntimeClass&) = delete;

    // A new object of this class made by its no-argument constructor, or nullptr for
    // classes that cannot be created empty.
    CObject* CreateObject() const;
    bool IsDerivedFrom(const CRuntimeClass* base) const;

    // The registered class of that exact name, or nullptr.
    static const CRuntimeClass* FromName(std::string_view className);

    const char* m_className;
    int m_schema;
    CObject* (*m_create)();
    const CRuntimeClass* m_base;

private:
    const CRuntimeClass* m_nextRegistered = nullptr;
};

// The root of every storable model class.
class CObject {
public:
    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;
    virtual void Serialize(CArchive& ar);

    bool IsKindOf(const CRuntimeClass* cls) const;

    static const CRuntimeClass classCObject;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

// Declares the run-time class of a class that the archive can create empty.
#define TESSEL_DECLARE_DYNCREATE(ClassName)                                                        \
public:                                                                                            \
    static const CRuntimeClass class##ClassName;                                                   \
    const CRuntimeClass* GetRuntimeClass() const override;                                         \
    static CObject* CreateObject();

// Defines what TESSEL_DECLARE_DYNCREATE declared; every stored class has schema 1.
#define TESSEL_IMPLEMENT_DYNCREATE(ClassName, BaseName)                                            \
    CObject* ClassName::CreateObject() {                                                           \
        return new ClassName;                                                                      \
    }                                                                                              \
    const CRuntimeClass ClassName::class##ClassName(#ClassName, 1, &ClassName::CreateObject,       \
                                                    &BaseName::class##BaseName);                   \
    const CRuntimeClass* ClassName::GetRuntimeClass() const {                                      \
        return &class##ClassName;                                                                  \
    }
