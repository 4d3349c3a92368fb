#!/bin/sh
# Prints the WINEDLLOVERRIDES of the shipping lane's Wine: no Mono or Gecko
# (no prompts) and no sound drivers.
echo "mscoree,mshtml=;winealsa.drv,winepulse.drv,wineoss.drv="
