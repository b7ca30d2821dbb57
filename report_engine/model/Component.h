#pragma once

#include "report_engine/model/ReportFont.h"

#include <QList>
#include <QPair>
#include <QString>
#include <memory>
#include <vector>

// Properties travel as name/value texts: templates, definition snapshots and saved
// prepared reports all read and write components through these two lists.
using TfrxPropertyList = QList<QPair<QString, QString>>;

// Base of every object of a report tree: name, geometry relative to the parent,
// font and the owned children. Copying a component copies its properties only.
class TfrxCustomMemoView;

class TfrxComponent {
public:
    TfrxComponent() = default;
    TfrxComponent(const TfrxComponent& other);
    TfrxComponent& operator=(const TfrxComponent&) = delete;
    virtual ~TfrxComponent() = default;

    virtual QString ClassName() const = 0;
    // A copy of this object's properties, without children.
    virtual std::unique_ptr<TfrxComponent> cloneAlone() const = 0;
    std::unique_ptr<TfrxComponent> clone() const;
    // Text objects are asked for in every row; a virtual answer is far cheaper there
    // than a dynamic_cast, which compares type names.
    virtual TfrxCustomMemoView* asMemo() { return nullptr; }
    const TfrxCustomMemoView* asMemo() const { return const_cast<TfrxComponent*>(this)->asMemo(); }

    virtual void writeProperties(TfrxPropertyList& list) const;
    // False when the name is not a property of this class.
    virtual bool readProperty(const QString& name, const QString& value);

    TfrxComponent* Parent() const { return FParent; }
    const std::vector<std::unique_ptr<TfrxComponent>>& Objects() const { return FObjects; }
    TfrxComponent* add(std::unique_ptr<TfrxComponent> child);
    std::unique_ptr<TfrxComponent> takeLast();
    TfrxComponent* findObject(const QString& name) const;

    double AbsLeft() const;
    double AbsTop() const;
    // The font the object uses: its parent's while ParentFont is set.
    const TfrxFont& usedFont() const;

    QString Name;
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
    TfrxFont Font;
    bool ParentFont = true;
    bool Visible = true;

private:
    TfrxComponent* FParent = nullptr;
    std::vector<std::unique_ptr<TfrxComponent>> FObjects;
};

// Text forms of property values shared by all components.
namespace frxProp {
QString fromBool(bool value);
bool toBool(const QString& text);
// Shortest text that reads back as the same double.
QString fromFloat(double value);
double toFloat(const QString& text);
int toInt(const QString& text);
} // namespace frxProp
