#include "app/window/StartOptions.h"

#include "skin/core/SKSkinBuilder.h"

namespace {

const QString kLookNames = QStringLiteral("MacOS, WinXP, DeepBlue, Protein, BlueGlass");

// The value of "--name VALUE" or "--name=VALUE" at index (advanced past it); nullopt
// when the argument is another option.
std::optional<QString> OptionValue(const QStringList& arguments, qsizetype& index,
                                   const QString& name, QString& error) {
    const QString& argument = arguments.at(index);
    if (argument.startsWith(name + QLatin1Char('='))) {
        return argument.mid(name.size() + 1);
    }
    if (argument != name) {
        return std::nullopt;
    }
    if (index + 1 >= arguments.size()) {
        error = QStringLiteral("%1 needs a value").arg(name);
        return QString();
    }
    return arguments.at(++index);
}

} // namespace

TStartOptions ParseStartOptions(const QStringList& arguments) {
    TStartOptions options;
    bool onlyPaths = false;
    for (qsizetype index = 0; index < arguments.size() && options.Error.isEmpty(); ++index) {
        const QString& argument = arguments.at(index);
        if (onlyPaths || argument == QLatin1String("-") || !argument.startsWith(QLatin1Char('-'))) {
            options.Paths.append(argument);
        } else if (argument == QLatin1String("--")) {
            onlyPaths = true;
        } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            options.Help = true;
        } else if (const auto look =
                       OptionValue(arguments, index, QStringLiteral("--look"), options.Error)) {
            if (!options.Error.isEmpty()) {
                break;
            }
            options.Look = BuiltinStyleByName(*look);
            if (!options.Look) {
                options.Error =
                    QStringLiteral("unknown look \"%1\"; the looks are %2").arg(*look, kLookNames);
            }
        } else if (const auto skin =
                       OptionValue(arguments, index, QStringLiteral("--skin"), options.Error)) {
            if (!options.Error.isEmpty()) {
                break;
            }
            options.SkinFile = *skin;
            if (options.SkinFile.isEmpty()) {
                options.Error = QStringLiteral("--skin needs a file name");
            }
        } else {
            options.Error = QStringLiteral("unknown argument \"%1\"").arg(argument);
        }
    }
    if (options.Error.isEmpty() && options.Look && !options.SkinFile.isEmpty()) {
        options.Error = QStringLiteral("choose either --look or --skin, not both");
    }
    return options;
}
