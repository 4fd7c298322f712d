#!/bin/sh
# Copies a UTF-8 help source as GBK, the code page of Chinese help files.
# usage: to_gbk.sh SOURCE TARGET
set -e
mkdir -p "$(dirname "$2")"
sed 's/charset=utf-8/charset=gbk/' "$1" | iconv -f UTF-8 -t GBK > "$2.tmp"
mv "$2.tmp" "$2"
