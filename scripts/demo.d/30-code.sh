#!/usr/bin/env bash
# Both example networks as program code of every type.
set -euo pipefail
for model in examples/*.kwf; do
  name=$(basename "$model" .kwf)
  for type in equation sas vb c f90 java spss; do
    case $type in
      equation) ext=txt ;; sas) ext=sas ;; vb) ext=bas ;; c) ext=c ;;
      f90) ext=f90 ;; java) ext=java ;; spss) ext=sps ;;
    esac
    out="$OUT/${name}_$type.$ext"
    [ "$type" = java ] && out="$OUT/Kestrium_$name.java"
    echo "== kdk convert $model --to $type"
    if [ "$type" = java ]; then
      "$KDK" convert "$model" --to java --java-class "Kestrium_$name" -o "$out"
    else
      "$KDK" convert "$model" --to "$type" -o "$out"
    fi
  done
done
