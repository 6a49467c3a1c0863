#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints the accessible description of the push button with the given name, or the
states of the menu item, as a screen reader gets them over the accessibility bus.
Fails when no such control is registered yet."""

import sys

import pyatspi


def is_control(accessible, name):
    return (accessible is not None and accessible.name == name
            and accessible.getRole() in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_MENU_ITEM))


def main():
    name = sys.argv[1]
    for application in pyatspi.Registry.getDesktop(0):
        if application is None:
            continue
        control = pyatspi.findDescendant(application, lambda accessible: is_control(accessible, name))
        if control is None:
            continue
        if control.getRole() == pyatspi.ROLE_MENU_ITEM:
            sys.stdout.write(" ".join(map(pyatspi.stateToString, control.getState().getStates())))
        else:
            sys.stdout.write(control.description)
        return 0
    return 1


if __name__ == '__main__':
    sys.exit(main())
