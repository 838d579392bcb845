=no name
A=1,,2,-,--3,x7
B==5
