// A radio group is one stop in the Tab order, at its checked button, as in
// every desktop's dialogs: Tab or Shift+Tab into the group lands on the choice
// made, the arrow keys move the choice inside it, and the next Tab leaves it.
// (Qt makes every button a stop, so Tab lands on the group's first button.)
#pragma once

#include <QAbstractButton>
#include <QButtonGroup>

inline void TabStopOnCheckedButton(QButtonGroup& group) {
    auto update = [&group] {
        QAbstractButton* stop = group.checkedButton();
        if (!stop && !group.buttons().isEmpty())
            stop = group.buttons().first();
        for (QAbstractButton* button : group.buttons())
            button->setFocusPolicy(button == stop ? Qt::StrongFocus : Qt::ClickFocus);
    };
    update();
    QObject::connect(&group, &QButtonGroup::buttonToggled, &group, update);
}
