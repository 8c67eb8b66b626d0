#!/bin/sh
# Wine's loader with address randomisation off, as tools/wine/env.sh sets it up (and says why); arguments passed on.
exec setarch -R "$ZANTIRO_WINE_LOADER" "$@"
