#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints the accessible description of the push button with the given name, as a
screen reader gets it over the accessibility bus. Fails when no such button is
registered yet."""

import sys

import pyatspi


def is_button(accessible, name):
    return (accessible is not None and accessible.name == name
            and accessible.getRole() == pyatspi.ROLE_PUSH_BUTTON)


def main():
    name = sys.argv[1]
    for application in pyatspi.Registry.getDesktop(0):
        if application is None:
            continue
        button = pyatspi.findDescendant(application, lambda accessible: is_button(accessible, name))
        if button is not None:
            sys.stdout.write(button.description)
            return 0
    return 1


if __name__ == '__main__':
    sys.exit(main())
