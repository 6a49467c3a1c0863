// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>

namespace Velaro
{

// The pushback direction list: editable, and an entry counts as picked only when the
// pilot chose it, from the open list or by stepping through the entries. Text the pilot
// types never picks an entry, even where it spells one.
class DirectionList : public QComboBox
{
    Q_OBJECT

public:
    explicit DirectionList(QWidget* parent = nullptr);

    bool isEntryPicked() const { return m_picked; }

signals:
    // After every pick, and after every edit that drops one.
    void pickChanged();

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    void setPicked(bool picked);

    bool m_picked = false;
    bool m_matchingTypedText = false;
};

} // namespace Velaro
