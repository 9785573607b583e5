#pragma once
// Keeps a container's child controls attached to the container's edges, to
// each other or to fractions of the container as it resizes. A constraint
// fixes one side of a child:
//   OX_LMT_SAME      the same side of the base, plus offset pixels
//                    (base 0: the container's client area);
//   OX_LMT_OPPOSITE  the opposite side of the base, plus offset pixels;
//   OX_LMT_POSITION  offset percent of the container's width (left, right)
//                    or height (top, bottom); the base is not used.
// A side without a constraint keeps the child's size, and a child with no
// constraint on either side of an axis keeps its place on that axis.
// Children are named by their control ids ("id" property).
#include "platform/types/Win32Types.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <map>

class QWidget;

enum : int { OX_LMS_TOP = 1, OX_LMS_BOTTOM = 2, OX_LMS_LEFT = 4, OX_LMS_RIGHT = 8, OX_LMS_ANY = 15 };
enum : int { OX_LMT_SAME = 1, OX_LMT_OPPOSITE = 2, OX_LMT_POSITION = 3 };

class COXLayoutManager : public QObject {
    Q_OBJECT
public:
    COXLayoutManager();
    ~COXLayoutManager() override;

    // Manages container's children from now on; FALSE for null or when
    // already attached.
    BOOL Attach(QWidget* container);
    void Detach();
    bool IsAttached() const { return !m_container.isNull(); }

    // Sets the constraint of sides (OX_LMS_ flags, one or more) of the child
    // childId. FALSE when there is no such child, no such base, the kind
    // is unknown or the child would be its own base.
    BOOL SetConstraint(int childId, int sides, int kind, int offset = 0, int baseId = 0);
    // Removes the constraints of sides of childId.
    BOOL RemoveConstraint(int childId, int sides);

    // Places every constrained child for the container's current size.
    BOOL RedrawLayout();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Side {
        int kind = 0; // 0: none
        int offset = 0;
        int baseId = 0;
    };
    struct Child {
        Side sides[4]; // top, bottom, left, right
    };
    QWidget* child(int id) const;
    // The child's rectangle for the current container size, resolving its
    // bases first; depth guards against bases that form a circle.
    QRect place(int id, std::map<int, QRect>& done, int depth);
    int resolve(const Side& side, int which, std::map<int, QRect>& done, int depth);

    QPointer<QWidget> m_container;
    std::map<int, Child> m_children;
};
