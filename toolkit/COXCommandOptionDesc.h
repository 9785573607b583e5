#pragma once
// One command-line option: its name, what it takes, the text the help shows
// and the value used when it is given without one.
#include <QString>

// Bits of an option's flags word. A word of 0 is a switch; 19
// (COD_ARGOK | COD_LIST | COD_ASSOCIATIONS) takes every argument up to the
// next option as its values.
enum : int {
    COD_ARGOK = 0x01,        // the option takes a value: the next argument, or "name=value"
    COD_LIST = 0x02,         // the values of repeated occurrences add up to a list
    COD_ASSOCIATIONS = 0x10, // every argument up to the next option is a value
};

class COXCommandOptionDesc {
public:
    COXCommandOptionDesc(QString name, int flags, QString description, QString defaultValue)
        : m_name(std::move(name)), m_flags(flags), m_description(std::move(description)),
          m_default(std::move(defaultValue))
    {
    }

    const QString& Name() const { return m_name; }
    int Flags() const { return m_flags; }
    const QString& Description() const { return m_description; }
    const QString& Default() const { return m_default; }

    bool TakesValue() const { return (m_flags & (COD_ARGOK | COD_ASSOCIATIONS)) != 0; }
    bool TakesAssociations() const { return (m_flags & COD_ASSOCIATIONS) != 0; }
    bool IsList() const { return (m_flags & COD_LIST) != 0; }

    bool Matches(const QString& name) const { return m_name.compare(name, Qt::CaseInsensitive) == 0; }

private:
    QString m_name;
    int m_flags;
    QString m_description;
    QString m_default;
};
