#!/bin/sh
# Prints the WINEDLLOVERRIDES of the shipping lane's Wine: no Mono or Gecko
# (no prompts), no sound drivers, and no menu builder, which the desktop
# would otherwise start in every session.
echo "mscoree,mshtml=;winealsa.drv,winepulse.drv,wineoss.drv=;winemenubuilder.exe=d"
