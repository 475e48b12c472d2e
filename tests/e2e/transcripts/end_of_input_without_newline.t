# A last line without a newline still counts; then end of input ends the session.
stdin:
<f\c
stdout:
|ZEB> \tsyntax error$
|$
|ZEB> %
