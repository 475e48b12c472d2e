# End of input while a confirmation waits refuses it; then the session ends.
replay a.spr racer=rokan2
args: a.spr
stdin:
<d -r rokan2
stdout:
|\ta.spr loaded!$
|\tappended at pos 0$
|ZEB> delete racer rokan2 from everywhere (y/)? \toperation cancelled by the user$
|$
|ZEB> %
