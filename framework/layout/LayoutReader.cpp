#include "framework/layout/LayoutReader.h"

#include "framework/controls/Control.h"
#include "framework/core/Collection.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Colors.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutBindings.h"

#include <QFile>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QPointer>
#include <optional>

ELayoutError::ELayoutError(const QString& file, int line, const QString& problem)
    : std::runtime_error(
          QStringLiteral("%1(%2): %3").arg(file).arg(line).arg(problem).toStdString()),
      FFile(file), FLine(line), FProblem(problem) {}

namespace {

enum class TTokenKind { End, Identifier, String, Integer, Float, Symbol, Binary };

struct TToken {
    TTokenKind Kind = TTokenKind::End;
    QString Text;
    qint64 Integer = 0;
    double Float = 0;
    QByteArray Bytes;
    int Line = 1;
};

// Splits layout text into tokens; adjacent quoted parts and #nn codes make one string.
class TLexer {
public:
    TLexer(const QString& text, const QString& file) : FText(text), FFile(file) {}

    TToken Next() {
        SkipSpace();
        TToken token;
        token.Line = FLine;
        if (FPos >= FText.size()) {
            return token;
        }
        const QChar ch = FText.at(FPos);
        if (ch.isLetter() || ch == QLatin1Char('_')) {
            const qsizetype start = FPos;
            while (FPos < FText.size() &&
                   (FText.at(FPos).isLetterOrNumber() || FText.at(FPos) == QLatin1Char('_') ||
                    FText.at(FPos) == QLatin1Char('.'))) {
                ++FPos;
            }
            token.Kind = TTokenKind::Identifier;
            token.Text = FText.mid(start, FPos - start);
            return token;
        }
        if (ch == QLatin1Char('\'') || ch == QLatin1Char('#')) {
            token.Kind = TTokenKind::String;
            token.Text = ReadString();
            return token;
        }
        if (ch.isDigit() || ch == QLatin1Char('$')) {
            ReadNumber(token);
            return token;
        }
        if (ch == QLatin1Char('{')) {
            token.Kind = TTokenKind::Binary;
            token.Bytes = ReadBinary();
            return token;
        }
        if (QStringLiteral("=:[](),<>+-").contains(ch)) {
            ++FPos;
            token.Kind = TTokenKind::Symbol;
            token.Text = ch;
            return token;
        }
        Fail(QStringLiteral("Unexpected character '%1'").arg(ch));
    }

    [[noreturn]] void Fail(const QString& problem) const {
        throw ELayoutError(FFile, FLine, problem);
    }

private:
    void SkipSpace() {
        while (FPos < FText.size() && FText.at(FPos).isSpace()) {
            if (FText.at(FPos) == QLatin1Char('\n')) {
                ++FLine;
            }
            ++FPos;
        }
    }

    QString ReadString() {
        QString result;
        while (FPos < FText.size()) {
            const QChar ch = FText.at(FPos);
            if (ch == QLatin1Char('\'')) {
                ++FPos;
                while (true) {
                    if (FPos >= FText.size() || FText.at(FPos) == QLatin1Char('\n')) {
                        Fail(QStringLiteral("Unterminated string"));
                    }
                    if (FText.at(FPos) == QLatin1Char('\'')) {
                        if (FPos + 1 < FText.size() && FText.at(FPos + 1) == QLatin1Char('\'')) {
                            result += QLatin1Char('\'');
                            FPos += 2;
                            continue;
                        }
                        ++FPos;
                        break;
                    }
                    result += FText.at(FPos++);
                }
            } else if (ch == QLatin1Char('#')) {
                ++FPos;
                const qsizetype start = FPos;
                while (FPos < FText.size() && FText.at(FPos).isDigit()) {
                    ++FPos;
                }
                bool ok = false;
                const uint code = FText.mid(start, FPos - start).toUInt(&ok);
                if (!ok || code > 0xFFFF) {
                    Fail(QStringLiteral("Invalid character code"));
                }
                result += QChar(static_cast<char16_t>(code));
            } else {
                break;
            }
        }
        return result;
    }

    void ReadNumber(TToken& token) {
        const qsizetype start = FPos;
        bool ok = false;
        if (FText.at(FPos) == QLatin1Char('$')) {
            ++FPos;
            while (FPos < FText.size() && FText.at(FPos).isLetterOrNumber()) {
                ++FPos;
            }
            token.Kind = TTokenKind::Integer;
            token.Integer = FText.mid(start + 1, FPos - start - 1).toLongLong(&ok, 16);
        } else {
            bool real = false;
            while (FPos < FText.size() &&
                   (FText.at(FPos).isDigit() || FText.at(FPos) == QLatin1Char('.') ||
                    FText.at(FPos) == QLatin1Char('e') || FText.at(FPos) == QLatin1Char('E'))) {
                real = real || !FText.at(FPos).isDigit();
                ++FPos;
            }
            const QString text = FText.mid(start, FPos - start);
            if (real) {
                token.Kind = TTokenKind::Float;
                token.Float = text.toDouble(&ok);
            } else {
                token.Kind = TTokenKind::Integer;
                token.Integer = text.toLongLong(&ok);
            }
        }
        if (!ok) {
            Fail(QStringLiteral("Invalid number '%1'").arg(FText.mid(start, FPos - start)));
        }
    }

    QByteArray ReadBinary() {
        ++FPos;
        QByteArray hex;
        while (FPos < FText.size() && FText.at(FPos) != QLatin1Char('}')) {
            const QChar ch = FText.at(FPos++);
            if (ch == QLatin1Char('\n')) {
                ++FLine;
            } else if (ch.isSpace()) {
                continue;
            } else if (!isxdigit(ch.toLatin1())) {
                Fail(QStringLiteral("Invalid binary data"));
            } else {
                hex += ch.toLatin1();
            }
        }
        if (FPos >= FText.size() || hex.size() % 2 != 0) {
            Fail(QStringLiteral("Invalid binary data"));
        }
        ++FPos;
        return QByteArray::fromHex(hex);
    }

    QString FText;
    QString FFile;
    qsizetype FPos = 0;
    int FLine = 1;
};

struct TValue;
struct TAssignment;
using TItem = QList<TAssignment>;

struct TValue {
    enum Kind { kString, kInteger, kFloat, kIdentifier, kSet, kList, kCollection, kBinary };
    Kind Type = kString;
    QString Text;
    qint64 Integer = 0;
    double Float = 0;
    QStringList Names;
    QList<TValue> Values;
    QList<TItem> Items;
    QByteArray Bytes;
};

struct TAssignment {
    QString Name;
    TValue Value;
    int Line = 0;
};

struct TReference {
    QPointer<QObject> Target;
    QString Property;
    QString Component;
    int Line = 0;
};

struct THandler {
    QPointer<TComponent> Component;
    QString Event;
    QString Method;
    int Line = 0;
};

class TReader {
public:
    TReader(TComponent* root, const QString& text, const QString& file)
        : FRoot(root), FLexer(text, file), FFile(file) {}

    void Read() {
        Advance();
        ReadObject(nullptr);
        if (FToken.Kind != TTokenKind::End) {
            Fail(QStringLiteral("End of file expected"));
        }
        for (const TReference& reference : FReferences) {
            ResolveReference(reference);
        }
        for (const THandler& handler : FHandlers) {
            BindHandler(handler);
        }
        BindPublishedFields();
        for (TComponent* component : FLoaded) {
            component->Loaded();
        }
        if (auto* form = qobject_cast<TCustomForm*>(FRoot)) {
            form->DoCreate();
        }
    }

private:
    [[noreturn]] void Fail(const QString& problem, int line = 0) const {
        throw ELayoutError(FFile, line > 0 ? line : FToken.Line, problem);
    }

    void Advance() { FToken = FLexer.Next(); }

    bool IsSymbol(const char* symbol) const {
        return FToken.Kind == TTokenKind::Symbol && FToken.Text == QLatin1String(symbol);
    }
    bool IsWord(const char* word) const {
        return FToken.Kind == TTokenKind::Identifier &&
               FToken.Text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    void Expect(const char* symbol) {
        if (!IsSymbol(symbol)) {
            Fail(QStringLiteral("'%1' expected").arg(QLatin1String(symbol)));
        }
        Advance();
    }
    QString ExpectIdentifier(const QString& what) {
        if (FToken.Kind != TTokenKind::Identifier) {
            Fail(QStringLiteral("%1 expected").arg(what));
        }
        QString text = FToken.Text;
        Advance();
        return text;
    }

    void ReadObject(TComponent* enclosing) {
        if (!IsWord("object") && !IsWord("inherited") && !IsWord("inline")) {
            Fail(QStringLiteral("'object' expected"));
        }
        const int line = FToken.Line;
        Advance();
        const QString name = ExpectIdentifier(QStringLiteral("Component name"));
        Expect(":");
        const QString className = ExpectIdentifier(QStringLiteral("Class name"));
        TComponent* component = nullptr;
        if (enclosing == nullptr && FLoaded.isEmpty()) {
            if (className != QLatin1String(FRoot->metaObject()->className())) {
                Fail(QStringLiteral("The layout is of class %1, not %2")
                         .arg(className, QLatin1String(FRoot->metaObject()->className())),
                     line);
            }
            component = FRoot;
        } else {
            const TComponentFactory factory = FindClass(className);
            if (!factory) {
                Fail(QStringLiteral("Class %1 not found").arg(className), line);
            }
            component = factory(FRoot);
        }
        component->BeginLoading();
        FLoaded.append(component);
        try {
            component->SetName(name);
        } catch (const EComponentError& error) {
            Fail(QString::fromUtf8(error.what()), line);
        }
        if (enclosing != nullptr && component != FRoot) {
            component->SetParentComponent(enclosing);
        }
        while (!IsWord("end")) {
            if (FToken.Kind == TTokenKind::End) {
                Fail(QStringLiteral("'end' expected"));
            }
            if (IsWord("object") || IsWord("inherited") || IsWord("inline")) {
                ReadObject(component);
                continue;
            }
            const TAssignment assignment = ReadAssignment();
            Apply(component, assignment);
        }
        Advance();
    }

    TAssignment ReadAssignment() {
        TAssignment assignment;
        assignment.Line = FToken.Line;
        assignment.Name = ExpectIdentifier(QStringLiteral("Property name"));
        Expect("=");
        assignment.Value = ReadValue();
        return assignment;
    }

    TValue ReadValue() {
        TValue value;
        switch (FToken.Kind) {
        case TTokenKind::String:
            value.Type = TValue::kString;
            value.Text = FToken.Text;
            Advance();
            while (IsSymbol("+")) {
                Advance();
                if (FToken.Kind != TTokenKind::String) {
                    Fail(QStringLiteral("String expected"));
                }
                value.Text += FToken.Text;
                Advance();
            }
            return value;
        case TTokenKind::Integer:
            value.Type = TValue::kInteger;
            value.Integer = FToken.Integer;
            Advance();
            return value;
        case TTokenKind::Float:
            value.Type = TValue::kFloat;
            value.Float = FToken.Float;
            Advance();
            return value;
        case TTokenKind::Identifier:
            value.Type = TValue::kIdentifier;
            value.Text = FToken.Text;
            Advance();
            return value;
        case TTokenKind::Binary:
            value.Type = TValue::kBinary;
            value.Bytes = FToken.Bytes;
            Advance();
            return value;
        case TTokenKind::Symbol:
            break;
        case TTokenKind::End:
            Fail(QStringLiteral("Value expected"));
        }
        if (IsSymbol("-")) {
            Advance();
            TValue number = ReadValue();
            if (number.Type == TValue::kInteger) {
                number.Integer = -number.Integer;
            } else if (number.Type == TValue::kFloat) {
                number.Float = -number.Float;
            } else {
                Fail(QStringLiteral("Number expected"));
            }
            return number;
        }
        if (IsSymbol("[")) {
            Advance();
            value.Type = TValue::kSet;
            while (!IsSymbol("]")) {
                value.Names.append(ExpectIdentifier(QStringLiteral("Set element")));
                if (IsSymbol(",")) {
                    Advance();
                } else if (!IsSymbol("]")) {
                    Fail(QStringLiteral("']' expected"));
                }
            }
            Advance();
            return value;
        }
        if (IsSymbol("(")) {
            Advance();
            value.Type = TValue::kList;
            while (!IsSymbol(")")) {
                if (FToken.Kind == TTokenKind::End) {
                    Fail(QStringLiteral("')' expected"));
                }
                value.Values.append(ReadValue());
                if (IsSymbol(",")) {
                    Advance();
                }
            }
            Advance();
            return value;
        }
        if (IsSymbol("<")) {
            Advance();
            value.Type = TValue::kCollection;
            while (!IsSymbol(">")) {
                if (!IsWord("item")) {
                    Fail(QStringLiteral("'item' expected"));
                }
                Advance();
                TItem item;
                while (!IsWord("end")) {
                    if (FToken.Kind == TTokenKind::End) {
                        Fail(QStringLiteral("'end' expected"));
                    }
                    item.append(ReadAssignment());
                }
                Advance();
                value.Items.append(item);
            }
            Advance();
            return value;
        }
        Fail(QStringLiteral("Value expected"));
    }

    static QString ClassOf(const QObject* object) {
        return QString::fromLatin1(object->metaObject()->className());
    }

    void Apply(QObject* target, const TAssignment& assignment) {
        const QStringList path = assignment.Name.split(QLatin1Char('.'));
        QObject* object = target;
        for (int i = 0; i + 1 < path.size(); ++i) {
            const int index = object->metaObject()->indexOfProperty(path[i].toLatin1().constData());
            if (index < 0) {
                Fail(QStringLiteral("Unknown property '%1' of %2").arg(path[i], ClassOf(object)),
                     assignment.Line);
            }
            const QMetaProperty property = object->metaObject()->property(index);
            QObject* next = (property.metaType().flags() & QMetaType::PointerToQObject)
                                ? property.read(object).value<QObject*>()
                                : nullptr;
            if (next == nullptr) {
                Fail(QStringLiteral("Property '%1' of %2 has no sub-properties")
                         .arg(path[i], ClassOf(object)),
                     assignment.Line);
            }
            object = next;
        }
        const QString name = path.last();
        const QByteArray latinName = name.toLatin1();
        const int index = object->metaObject()->indexOfProperty(latinName.constData());
        if (index < 0) {
            auto* component = qobject_cast<TComponent*>(object);
            if (name.startsWith(QLatin1String("On")) && component != nullptr &&
                (component->NotifyEvent(name) != nullptr || component->EventSlot(name))) {
                if (assignment.Value.Type != TValue::kIdentifier) {
                    Fail(QStringLiteral("Handler name expected for %1").arg(name), assignment.Line);
                }
                FHandlers.append({component, name, assignment.Value.Text, assignment.Line});
                return;
            }
            if (component != nullptr) {
                if (const TNamesPropertyReader reader =
                        FindNamesProperty(object->metaObject(), name)) {
                    ReadNames(component, reader, assignment);
                    return;
                }
            }
            Fail(QStringLiteral("Unknown property '%1' of %2").arg(name, ClassOf(object)),
                 assignment.Line);
        }
        const QMetaProperty property = object->metaObject()->property(index);
        try {
            SetProperty(object, property, assignment);
        } catch (const ELayoutError&) {
            throw;
        } catch (const std::exception& error) {
            Fail(QStringLiteral("Cannot set %1: %2").arg(name, QString::fromUtf8(error.what())),
                 assignment.Line);
        }
    }

    // A property the component reads itself: one identifier or a list of them.
    void ReadNames(TComponent* component, const TNamesPropertyReader& reader,
                   const TAssignment& assignment) {
        const TValue& value = assignment.Value;
        QStringList names;
        if (value.Type == TValue::kIdentifier) {
            names.append(value.Text);
        } else if (value.Type == TValue::kList) {
            for (const TValue& element : value.Values) {
                if (element.Type != TValue::kIdentifier) {
                    Fail(QStringLiteral("Component name expected in '%1'").arg(assignment.Name),
                         assignment.Line);
                }
                names.append(element.Text);
            }
        } else {
            Fail(QStringLiteral("Invalid value for property '%1' of %2")
                     .arg(assignment.Name, ClassOf(component)),
                 assignment.Line);
        }
        try {
            reader(component, names);
        } catch (const std::exception& error) {
            Fail(QStringLiteral("Cannot set %1: %2")
                     .arg(assignment.Name, QString::fromUtf8(error.what())),
                 assignment.Line);
        }
    }

    void SetProperty(QObject* object, const QMetaProperty& property,
                     const TAssignment& assignment) {
        const TValue& value = assignment.Value;
        const QString name = QString::fromLatin1(property.name());
        const auto wrongValue = [&] {
            Fail(QStringLiteral("Invalid value for property '%1' of %2").arg(name, ClassOf(object)),
                 assignment.Line);
        };
        const QMetaType type = property.metaType();
        if (type.flags() & QMetaType::PointerToQObject) {
            if (value.Type == TValue::kIdentifier) {
                FReferences.append({object, name, value.Text, assignment.Line});
                return;
            }
            auto* collection = qobject_cast<TCollection*>(property.read(object).value<QObject*>());
            if (value.Type != TValue::kCollection || collection == nullptr) {
                wrongValue();
            }
            collection->BeginUpdate();
            collection->Clear();
            for (const TItem& item : value.Items) {
                TCollectionItem* created = collection->Add();
                for (const TAssignment& itemAssignment : item) {
                    Apply(created, itemAssignment);
                }
            }
            collection->EndUpdate();
            return;
        }
        QVariant variant;
        if (property.isEnumType()) {
            const QMetaEnum meta = property.enumerator();
            if (property.isFlagType()) {
                if (value.Type != TValue::kSet) {
                    wrongValue();
                }
                int flags = 0;
                for (const QString& element : value.Names) {
                    const int bit = meta.keyToValue(element.toLatin1().constData());
                    if (bit == -1) {
                        Fail(QStringLiteral("Unknown value '%1' for property '%2'")
                                 .arg(element, name),
                             assignment.Line);
                    }
                    flags |= bit;
                }
                variant = flags;
            } else if (value.Type == TValue::kIdentifier) {
                bool ok = false;
                const int number = meta.keyToValue(value.Text.toLatin1().constData(), &ok);
                if (!ok) {
                    Fail(QStringLiteral("Unknown value '%1' for property '%2'")
                             .arg(value.Text, name),
                         assignment.Line);
                }
                variant = number;
            } else if (value.Type == TValue::kInteger) {
                variant = static_cast<int>(value.Integer);
            } else {
                wrongValue();
            }
            // Enumerations are written through their integer value.
            if (!property.write(object, variant)) {
                QVariant typed(type);
                if (!variant.convert(type) || !property.write(object, variant)) {
                    wrongValue();
                }
            }
            return;
        }
        switch (type.id()) {
        case QMetaType::Bool:
            if (value.Type != TValue::kIdentifier ||
                (value.Text.compare(QLatin1String("True"), Qt::CaseInsensitive) != 0 &&
                 value.Text.compare(QLatin1String("False"), Qt::CaseInsensitive) != 0)) {
                wrongValue();
            }
            variant = value.Text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
            break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
            if (value.Type == TValue::kInteger) {
                variant = value.Integer;
            } else if (value.Type == TValue::kIdentifier) {
                TColor color = 0;
                if (!IdentToColor(value.Text, color)) {
                    Fail(QStringLiteral("Unknown value '%1' for property '%2'")
                             .arg(value.Text, name),
                         assignment.Line);
                }
                variant = color;
            } else {
                wrongValue();
            }
            break;
        case QMetaType::Double:
            if (value.Type == TValue::kFloat) {
                variant = value.Float;
            } else if (value.Type == TValue::kInteger) {
                variant = static_cast<double>(value.Integer);
            } else {
                wrongValue();
            }
            break;
        case QMetaType::QString:
            if (value.Type != TValue::kString) {
                wrongValue();
            }
            variant = value.Text;
            break;
        case QMetaType::QStringList: {
            if (value.Type != TValue::kList) {
                wrongValue();
            }
            QStringList lines;
            for (const TValue& element : value.Values) {
                if (element.Type != TValue::kString) {
                    wrongValue();
                }
                lines.append(element.Text);
            }
            variant = lines;
            break;
        }
        case QMetaType::QByteArray:
            if (value.Type != TValue::kBinary) {
                wrongValue();
            }
            variant = value.Bytes;
            break;
        default:
            wrongValue();
        }
        if (!property.isWritable() || !variant.convert(type) || !property.write(object, variant)) {
            wrongValue();
        }
    }

    QObject* FindByName(const QString& name) const {
        if (name.compare(FRoot->Name(), Qt::CaseInsensitive) == 0) {
            return FRoot;
        }
        return FRoot->FindComponent(name);
    }

    void ResolveReference(const TReference& reference) {
        if (reference.Target.isNull()) {
            return;
        }
        QObject* component = FindByName(reference.Component);
        if (component == nullptr) {
            Fail(QStringLiteral("Unknown component '%1'").arg(reference.Component), reference.Line);
        }
        const QMetaObject* meta = reference.Target->metaObject();
        const QMetaProperty property =
            meta->property(meta->indexOfProperty(reference.Property.toLatin1().constData()));
        QVariant variant = QVariant::fromValue(component);
        if (!variant.convert(property.metaType()) || !property.write(reference.Target, variant)) {
            Fail(QStringLiteral("'%1' does not fit property '%2'")
                     .arg(reference.Component, reference.Property),
                 reference.Line);
        }
    }

    void BindHandler(const THandler& handler) {
        if (handler.Component.isNull()) {
            return;
        }
        TNotifyEvent* event = handler.Component->NotifyEvent(handler.Event);
        const std::optional<TComponent::TEventSlot> slot =
            event != nullptr ? std::nullopt : handler.Component->EventSlot(handler.Event);
        const QList<QMetaType> parameters = slot ? slot->Parameters : QList<QMetaType>();
        const int methodIndex = FindHandler(handler.Method, parameters);
        if (methodIndex < 0) {
            Fail(QStringLiteral("Unknown handler '%1' (a method %1(TObject*%2) of %3)")
                     .arg(handler.Method, ParameterList(parameters), ClassOf(FRoot)),
                 handler.Line);
        }
        QPointer<QObject> root(FRoot);
        const TComponent::TEventInvoker invoke = [root, methodIndex](void** arguments) {
            if (!root.isNull()) {
                root->qt_metacall(QMetaObject::InvokeMetaMethod, methodIndex, arguments);
            }
        };
        if (slot) {
            slot->Assign(invoke);
            return;
        }
        *event = [invoke](TObject* sender) {
            QObject* argument = sender;
            void* arguments[] = {nullptr, &argument};
            invoke(arguments);
        };
    }

    // A method of the root named name taking the sender and then parameters.
    int FindHandler(const QString& name, const QList<QMetaType>& parameters) const {
        const QMetaObject* meta = FRoot->metaObject();
        for (int i = 0; i < meta->methodCount(); ++i) {
            const QMetaMethod method = meta->method(i);
            if (method.name() != name.toLatin1() ||
                method.parameterCount() != parameters.size() + 1 ||
                method.parameterMetaType(0) != QMetaType::fromType<QObject*>()) {
                continue;
            }
            bool matches = true;
            for (int p = 0; p < parameters.size(); ++p) {
                matches = matches && ParameterType(method, p + 1) == parameters[p];
            }
            if (matches) {
                return i;
            }
        }
        return -1;
    }

    // A parameter's type; a reference parameter (a var argument) by its referred type.
    static QMetaType ParameterType(const QMetaMethod& method, int index) {
        const QMetaType type = method.parameterMetaType(index);
        if (type.isValid()) {
            return type;
        }
        QByteArray name = method.parameterTypeName(index);
        if (name.endsWith('&')) {
            name.chop(1);
        }
        return QMetaType::fromName(name);
    }

    static QString ParameterList(const QList<QMetaType>& parameters) {
        QString list;
        for (const QMetaType& type : parameters) {
            list += QStringLiteral(", ") + QString::fromLatin1(type.name());
        }
        return list;
    }

    // The root's own component pointers (BtnMake...) point at the components read.
    void BindPublishedFields() {
        const QMetaObject* meta = FRoot->metaObject();
        for (int i = TComponent::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
            const QMetaProperty property = meta->property(i);
            if (!(property.metaType().flags() & QMetaType::PointerToQObject) ||
                !property.isWritable() || property.read(FRoot).value<QObject*>() != nullptr) {
                continue;
            }
            TComponent* component = FRoot->FindComponent(QString::fromLatin1(property.name()));
            if (component == nullptr) {
                continue;
            }
            QVariant variant = QVariant::fromValue<QObject*>(component);
            if (variant.convert(property.metaType())) {
                property.write(FRoot, variant);
            }
        }
    }

    TComponent* FRoot;
    TLexer FLexer;
    QString FFile;
    TToken FToken;
    QList<TComponent*> FLoaded;
    QList<TReference> FReferences;
    QList<THandler> FHandlers;
};

} // namespace

void ReadLayoutText(TComponent* root, const QString& text, const QString& fileName) {
    TReader(root, text, fileName).Read();
}

void ReadLayout(TComponent* root, const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        throw ELayoutError(fileName, 0, QStringLiteral("The layout cannot be opened"));
    }
    ReadLayoutText(root, QString::fromUtf8(file.readAll()), fileName);
}
