#pragma once

#include "framework/core/Component.h"

#include <QString>
#include <stdexcept>

// A layout that cannot be read: names the file, the line and the problem.
class ELayoutError : public std::runtime_error {
public:
    ELayoutError(const QString& file, int line, const QString& problem);
    QString File() const { return FFile; }
    int Line() const { return FLine; }
    QString Problem() const { return FProblem; }

private:
    QString FFile;
    int FLine;
    QString FProblem;
};

// Reads a stored layout into root: an indented text of "object Name: TClass" ... "end"
// blocks with "Property = value" lines. The outer object is root itself (its class
// must match); inner objects are created through the class registry, owned by root
// and parented to the enclosing control. Properties are set in file order while the
// components are loading; component references and "On..." handlers (invokable
// methods "Name(TObject*)" of root) are resolved afterwards, root's pointer
// properties named like components are bound to them, then every component's Loaded
// runs, and a form's OnCreate. fileName may be a resource path (":/...").
void ReadLayout(TComponent* root, const QString& fileName);
// The same from text; fileName only names the layout in errors.
void ReadLayoutText(TComponent* root, const QString& text, const QString& fileName);
