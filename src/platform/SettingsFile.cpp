namespace airmotor::platform {}
